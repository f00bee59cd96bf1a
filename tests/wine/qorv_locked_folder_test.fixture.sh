# A program folder that cannot be written, for qorv_locked_folder_test.exe:
# Qorv.exe of the build under test and a user's settings file in locked/,
# made immutable (tests run as root, so permission bits would not stop a
# write). Where the file system cannot do that, the test skips.
# qorv_locked_folder_test.cleanup.sh undoes it.
set -eu
bin_windows=${VANTREL_TEST_BIN#D:\\}
bin="$VANTREL_BUILD_ROOT/${bin_windows//\\//}"
mkdir -p locked
cp "$bin/Qorv.exe" locked/
# Version 10, every switch on, no entries.
{
  printf '\x0a\x00\x00\x00'
  for i in $(seq 11); do printf '\x01\x00\x00\x00'; done
  printf '\x00\x00\x00\x00'
} > locked/SetupData.Sav
chattr +i locked 2>/dev/null || true
