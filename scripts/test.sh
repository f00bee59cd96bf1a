#!/usr/bin/env bash
# The test command: installs what is missing, builds everything and runs all
# tests (native unit tests, the fuzz runs and the Wine tests) in one ctest.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" test
# Side by side (scripts/side-by-side.sh). Each Wine test program runs alone in
# a lane of its own (scripts/wine-test.sh), one lane per job.
jobs=${VANTREL_TEST_JOBS:-$("$root/scripts/side-by-side.sh")}
export VANTREL_WINE_LANES=${VANTREL_WINE_LANES:-$jobs}
ctest --test-dir "$root/build/native" --output-on-failure -j "$jobs" "$@"
