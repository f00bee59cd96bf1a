#!/usr/bin/env bash
# fuzz-run.sh FUZZER CORPUS WORK SECONDS: runs a libFuzzer target for a bounded
# time on a copy of its committed corpus; findings land in WORK.
set -euo pipefail
fuzzer=$1 corpus=$2 work=$3 seconds=$4
rm -rf "$work"
mkdir -p "$work/corpus" "$work/findings"
cp "$corpus"/* "$work/corpus/"
cd "$work/findings"
"$fuzzer" -max_total_time="$seconds" -rss_limit_mb=1024 -malloc_limit_mb=64 -timeout=10 -print_final_stats=1 "$work/corpus" 2>&1 | tail -n 25
