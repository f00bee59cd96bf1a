# A small disk for updater_test.exe: a 4 MB tmpfs at small_disk/, so that
# a download without end fills it. Where nothing can be mounted, the test
# that needs it skips. updater_test.cleanup.sh unmounts it.
set -eu
mkdir -p small_disk
mount -t tmpfs -o size=4m tmpfs small_disk 2>/dev/null || true
