#!/usr/bin/env bash
# The test command: installs what is missing, builds everything and runs all
# tests (native unit tests, the fuzz runs and the Wine tests) in one ctest.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" test
ctest --test-dir "$root/build/native" --output-on-failure -j "${VANTREL_JOBS:-$(nproc)}" "$@"
