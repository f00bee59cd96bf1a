#!/usr/bin/env bash
# Browser cache benchmark under Wine: builds a Chrome profile tree with Linux
# tools in the Wine scratch folder (five profiles whose cache folders hold
# FILES files in all, beside the files a profile keeps), then empties the
# caches through browser_cache_bench.exe (run by scripts/wine-test.sh, so the
# usual isolation holds): once as a cleaning run with the ready-made entry,
# once as the bare purge of the same folders named in full; and times the
# expansion of the entry's patterns on its own.
#   bench/run-browser-cache-bench.sh [FILES]   default: 20000
#   VANTREL_BENCH_ROUNDS=N                      rounds per way (default 3; the best counts)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export VANTREL_BUILD_ROOT="${VANTREL_BUILD_ROOT:-$root/build}"
scratch="${VANTREL_WINE_ROOT:-$VANTREL_BUILD_ROOT/wine}/scratch"
runner="$root/scripts/wine-test.sh"
rounds=${VANTREL_BENCH_ROUNDS:-3}
files=${1:-20000}
tree="$scratch/browser-bench"
user_data="$tree/Google/Chrome/User Data"

ninja -C "$VANTREL_BUILD_ROOT/win64" browser_cache_bench >/dev/null
exe="$VANTREL_BUILD_ROOT/win64/bin/browser_cache_bench.exe"

fill() {  # folder, files
  mkdir -p "$1"
  local f
  for ((f = 0; f < $2; f++)); do printf 'cache entry %d\n' "$f" > "$1/f_$f"; done
}

# Of each profile's share: 70% the HTTP cache, 20% and 5% the code caches,
# the rest the GPU caches.
make_tree() {
  rm -rf "$tree"
  local per=$(( files / 5 )) profile
  for profile in Default "Profile 1" "Profile 2" "Profile 3" "Profile 4"; do
    local p="$user_data/$profile"
    fill "$p/Cache/Cache_Data" $(( per * 70 / 100 ))
    fill "$p/Code Cache/js" $(( per * 20 / 100 ))
    fill "$p/Code Cache/wasm" $(( per * 5 / 100 ))
    fill "$p/GPUCache" $(( per - per * 95 / 100 - per * 2 / 100 ))
    fill "$p/DawnWebGPUCache" $(( per * 2 / 100 ))
    fill "$p/Local Storage/leveldb" 20
    for keep in History Cookies "Login Data" Bookmarks; do printf 'keep' > "$p/$keep"; done
  done
  printf 'keep' > "$user_data/Local State"
}

"$runner" start
trap '"$runner" stop' EXIT
declare -A seconds=() memory=()
for ((round = 1; round <= rounds; round++)); do
  for mode in run bare expand; do
    make_tree
    sync
    line=$("$runner" run "$exe" "$mode" 'B:\browser-bench')
    echo "  $line" >&2
    s=$(sed -n 's/.* seconds=\([0-9.]*\).*/\1/p' <<<"$line")
    m=$(sed -n 's/.* peak_private_kb=\([0-9]*\).*/\1/p' <<<"$line")
    if [ -z "${seconds[$mode]:-}" ] || awk -v a="$s" -v b="${seconds[$mode]}" 'BEGIN { exit !(a < b) }'; then
      seconds[$mode]=$s
    fi
    [ "${memory[$mode]:-0}" -ge "$m" ] || memory[$mode]=$m
    if [ "$mode" != expand ]; then
      left=$(find "$user_data" -type f | wc -l)
      kept=$(( 5 * 24 + 1 ))
      [ "$left" -eq "$kept" ] || echo "  $mode left $left files, $kept expected" >&2
    fi
  done
done
awk -v n="$files" -v a="${seconds[run]}" -v b="${seconds[bare]}" -v e="${seconds[expand]}" \
    -v ma="${memory[run]}" -v mb="${memory[bare]}" 'BEGIN {
  printf "%d cache files in five Chrome profiles (best of %d)\n", n, '"$rounds"'
  printf "  (a) a run with the ready-made Chrome entry       %7.3f s  %6.0f files/s  peak private %d KB\n", a, n / a, ma
  printf "  (b) the bare purge of the same folders           %7.3f s  %6.0f files/s  peak private %d KB\n", b, n / b, mb
  printf "  the expansion and the browser check, once        %7.2f ms\n", e * 1000
  printf "  a/b %.3f\n", a / b
}'
rm -rf "$tree"
