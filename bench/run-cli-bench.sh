#!/usr/bin/env bash
# Console program benchmark under Wine: builds a tree of small files with Linux
# tools in the Wine scratch folder, puts VantrelCli.exe and a settings file
# whose only entry is that tree (every category off) beside it, and times
# "preview" and then "clean" through console_preview_bench.exe (run by
# scripts/wine-test.sh, so the usual isolation holds).
#   bench/run-cli-bench.sh [FILES...]        default: 2000 20000, in 200 folders
#   VANTREL_BENCH_ROUNDS=N                   rounds (default 3; the best counts)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export VANTREL_BUILD_ROOT="${VANTREL_BUILD_ROOT:-$root/build}"
scratch="${VANTREL_WINE_ROOT:-$VANTREL_BUILD_ROOT/wine}/scratch"
runner="$root/scripts/wine-test.sh"
folders=200
rounds=${VANTREL_BENCH_ROUNDS:-3}
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(2000 20000)

ninja -C "$VANTREL_BUILD_ROOT/win64" console_preview_bench VantrelCli >/dev/null
exe="$VANTREL_BUILD_ROOT/win64/bin/console_preview_bench.exe"
home="$scratch/cli-bench"

make_tree() {  # files
  local tree="$home/tree" per=$(( $1 / folders )) d f
  rm -rf "$tree"
  for ((d = 0; d < folders; d++)); do
    local dir
    dir=$(printf '%s/d%03d' "$tree" "$d")
    mkdir -p "$dir"
    for ((f = 0; f < per; f++)); do printf 'small file %d\n' "$f" > "$dir/f$f.txt"; done
  done
}

# Version 10, eleven switches off, one entry with sub-folders: "bench" and
# the directory B:\cli-bench\tree.
settings() {
  local dir='Dir:B:\cli-bench\tree'
  {
    printf '\x0a\x00\x00\x00'
    for _ in $(seq 11); do printf '\x00\x00\x00\x00'; done
    printf '\x01\x00\x00\x00'
    printf '\x01\x00\x00\x00'
    printf '\x05bench'
    printf '\x01\x00\x00\x00'
    printf "\\x$(printf '%02x' ${#dir})%s" "$dir"
    printf '\x00\x00\x00\x00'
  } > "$home/SetupData.Sav"
}

mkdir -p "$home"
cp "$VANTREL_BUILD_ROOT/win64/bin/VantrelCli.exe" "$home/"
settings
"$runner" start
trap '"$runner" stop' EXIT
for files in "${sizes[@]}"; do
  declare -A seconds=() memory=()
  for ((round = 1; round <= rounds; round++)); do
    make_tree "$files"
    sync
    for command in preview clean; do
      line=$("$runner" run "$exe" "$command" 'B:\cli-bench')
      echo "  $line" >&2
      s=$(sed -n 's/.* seconds=\([0-9.]*\).*/\1/p' <<<"$line")
      m=$(sed -n 's/.* peak_private_kb=\([0-9]*\).*/\1/p' <<<"$line")
      if [ -z "${seconds[$command]:-}" ] || awk -v a="$s" -v b="${seconds[$command]}" 'BEGIN { exit !(a < b) }'; then
        seconds[$command]=$s
      fi
      [ "${memory[$command]:--1}" -ge "$m" ] || memory[$command]=$m
    done
    left=$(find "$home/tree" -type f | wc -l)
    [ "$left" -eq 0 ] || echo "  clean left $left files" >&2
  done
  awk -v n="$files" -v p="${seconds[preview]}" -v c="${seconds[clean]}" \
      -v mp="${memory[preview]}" -v mc="${memory[clean]}" 'BEGIN {
    printf "%d files in %d folders (best of %d)\n", n, '"$folders"', '"$rounds"'
    printf "  preview  %7.3f s  %6.0f files/s  peak private %d KB\n", p, n / p, mp
    printf "  clean    %7.3f s  %6.0f files/s  peak private %d KB\n", c, n / c, mc
  }'
done
rm -rf "$home"
