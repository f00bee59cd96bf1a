# Unmounts the small disk of updater_test.exe, so its scratch folder can be
# removed.
if mountpoint -q small_disk 2>/dev/null; then umount small_disk || umount -l small_disk || true; fi
