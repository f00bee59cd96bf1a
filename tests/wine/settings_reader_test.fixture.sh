# The seed files of the settings fuzzer, for settings_reader_test.exe: copied
# into the scratch folder, where the test program reads them.
set -eu
corpus="$(cd "$(dirname "${BASH_SOURCE[0]}")/../fuzz/corpus/settings_load_fuzzer" && pwd)"
mkdir -p corpus
cp "$corpus"/* corpus/
