#!/usr/bin/env bash
# Internet cache purge benchmark under Wine: seeds the prefix's cache with
# cookies, history and normal entries, empties it through
# cache_purge_bench.exe (run by scripts/wine-test.sh, so the usual isolation
# holds) and prints entries per second, the ratios and the peak memory.
#   bench/run-cache-bench.sh [ENTRIES...]    default: 20000
#   VANTREL_BENCH_ROUNDS=N                   rounds per way (default 3; the best counts)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export VANTREL_BUILD_ROOT="${VANTREL_BUILD_ROOT:-$root/build}"
runner="$root/scripts/wine-test.sh"
rounds=${VANTREL_BENCH_ROUNDS:-3}
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(20000)

ninja -C "$VANTREL_BUILD_ROOT/win64" cache_purge_bench >/dev/null
exe="$VANTREL_BUILD_ROOT/win64/bin/cache_purge_bench.exe"

"$runner" start
trap '"$runner" stop' EXIT
for entries in "${sizes[@]}"; do
  declare -A seconds=() memory=()
  for ((round = 1; round <= rounds; round++)); do
    for mode in window silent bare bare-nowindow; do
      "$runner" run "$exe" seed "$entries" >/dev/null
      line=$("$runner" run "$exe" "$mode")
      echo "  $line" >&2
      s=$(sed -n 's/.* seconds=\([0-9.]*\).*/\1/p' <<<"$line")
      m=$(sed -n 's/.* peak_private_kb=\([0-9]*\).*/\1/p' <<<"$line")
      if [ -z "${seconds[$mode]:-}" ] || awk -v a="$s" -v b="${seconds[$mode]}" 'BEGIN { exit !(a < b) }'; then
        seconds[$mode]=$s
      fi
      [ "${memory[$mode]:-0}" -ge "$m" ] || memory[$mode]=$m
    done
  done
  awk -v n="$entries" -v a="${seconds[window]}" -v s="${seconds[silent]}" -v b="${seconds[bare]}" \
      -v b0="${seconds[bare-nowindow]}" -v ma="${memory[window]}" -v ms="${memory[silent]}" \
      -v mb="${memory[bare]}" 'BEGIN {
    printf "%d cache entries, a third of each kind (best of %d)\n", n, '"$rounds"'
    printf "  (a)  PurgeCacheEntries on the progress window       %7.3f s  %6.0f entries/s  peak private %d KB\n", a, n / a, ma
    printf "       the same through a view that draws nothing     %7.3f s  %6.0f entries/s  peak private %d KB\n", s, n / s, ms
    printf "  (b)  bare count + delete enumerations with the pump %7.3f s  %6.0f entries/s  peak private %d KB\n", b, n / b, mb
    printf "       (the progress window shown and still)\n"
    printf "  (b0) the same without any window                   %7.3f s  %6.0f entries/s\n", b0, n / b0
    printf "  a/b %.3f   a/b0 %.3f   silent/b0 %.3f\n", a / b, a / b0, s / b0
  }'
done
