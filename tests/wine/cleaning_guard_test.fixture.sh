# Links for cleaning_guard_test.exe, made with Linux tools because Wine
# cannot make them: to the root of drive C:, to the profiles folder, to the
# system folder, to the Windows folder and to Program Files. They stay in
# this scratch folder and lead into the test prefix only.
set -eu
ln -sfn "$WINEPREFIX/drive_c" rootlink
ln -sfn "$WINEPREFIX/drive_c/users" userslink
ln -sfn "$WINEPREFIX/drive_c/windows/system32" s32link
ln -sfn "$WINEPREFIX/drive_c/windows" winlink
ln -sfn "$WINEPREFIX/drive_c/Program Files" pflink
