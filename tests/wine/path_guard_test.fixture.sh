# Drive S: for path_guard_test.exe: a folder of this scratch area mapped as a
# whole drive, so that the test can try to empty a drive root. The mapping
# lives in the test prefix only and points inside this scratch folder.
set -eu
mkdir -p drive_s/x
printf 'canary' > drive_s/canary.txt
printf 'canary' > drive_s/x/canary.txt
ln -sfn "$PWD/drive_s" "$WINEPREFIX/dosdevices/s:"
# Links to the prefix's desktop and profile, which the guard must know by
# what they lead to (both stay inside the build folder).
ln -sfn "$WINEPREFIX/drive_c/users/root/Desktop" desk_alias
ln -sfn "$WINEPREFIX/drive_c/users/root" profile_alias
