#!/usr/bin/env bash
# Preview count benchmark under Wine: builds a tree of small files with Linux
# tools in the Wine scratch folder, then counts it with preview_count_bench.exe
# (run by scripts/wine-test.sh, so the usual isolation holds) the window's way
# and by two bare loops, and prints files per second, the ratios and the peak
# private memory. Counting deletes nothing, so one tree serves every round.
#   bench/run-preview-bench.sh [FILES...]    default: 2000 20000, in 200 folders
#   VANTREL_BENCH_ROUNDS=N                   rounds per way (default 3; the best counts)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export VANTREL_BUILD_ROOT="${VANTREL_BUILD_ROOT:-$root/build}"
scratch="${VANTREL_WINE_ROOT:-$VANTREL_BUILD_ROOT/wine}/scratch"
runner="$root/scripts/wine-test.sh"
folders=200
rounds=${VANTREL_BENCH_ROUNDS:-3}
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(2000 20000)

ninja -C "$VANTREL_BUILD_ROOT/win64" preview_count_bench >/dev/null
exe="$VANTREL_BUILD_ROOT/win64/bin/preview_count_bench.exe"
tree="$scratch/preview-bench-tree"

make_tree() {  # files
  local per=$(( $1 / folders )) d f dir
  rm -rf "$tree"
  for ((d = 0; d < folders; d++)); do
    dir=$(printf '%s/d%03d' "$tree" "$d")
    mkdir -p "$dir"
    for ((f = 0; f < per; f++)); do printf 'small file %d\n' "$f" > "$dir/f$f.txt"; done
  done
}

"$runner" start
trap '"$runner" stop; rm -rf "$tree"' EXIT
declare -A peak=()
for files in "${sizes[@]}"; do
  declare -A seconds=() memory=()
  make_tree "$files"
  sync
  for ((round = 1; round <= rounds; round++)); do
    for mode in preview bare walk; do
      line=$("$runner" run "$exe" "$mode" 'B:\preview-bench-tree')
      echo "  $line" >&2
      counted=$(sed -n 's/.* counted=\([0-9-]*\).*/\1/p' <<<"$line")
      [ "$counted" -eq "$files" ] || echo "  $mode counted $counted of $files files" >&2
      s=$(sed -n 's/.* seconds=\([0-9.]*\).*/\1/p' <<<"$line")
      m=$(sed -n 's/.* peak_private_kb=\([0-9]*\).*/\1/p' <<<"$line")
      # The preview's count reports what it held while it ran and at its end.
      h=$(sed -n 's/.* held_private_kb=\([0-9]*\).*/\1/p' <<<"$line")
      [ "$mode" != preview ] || [ "$h" -le "$m" ] || m=$h
      if [ -z "${seconds[$mode]:-}" ] || awk -v a="$s" -v b="${seconds[$mode]}" 'BEGIN { exit !(a < b) }'; then
        seconds[$mode]=$s
      fi
      [ "${memory[$mode]:-0}" -ge "$m" ] || memory[$mode]=$m
    done
  done
  peak[$files]=${memory[preview]}
  awk -v n="$files" -v p="${seconds[preview]}" -v b="${seconds[bare]}" -v w="${seconds[walk]}" \
      -v mp="${memory[preview]}" -v mb="${memory[bare]}" 'BEGIN {
    printf "%d files in %d folders (best of %d)\n", n, '"$folders"', '"$rounds"'
    printf "  preview  %7.3f s  %7.0f files/s  peak private %d KB\n", p, n / p, mp
    printf "  bare     %7.3f s  %7.0f files/s  peak private %d KB\n", b, n / b, mb
    printf "  walk     %7.3f s  %7.0f files/s\n", w, n / w
    printf "  preview/bare %.2f  preview/walk %.2f\n", p / b, p / w
  }'
done
if [ "${#sizes[@]}" -ge 2 ]; then
  first=${sizes[0]}
  last=${sizes[${#sizes[@]}-1]}
  awk -v a="$first" -v b="$last" -v ma="${peak[$first]}" -v mb="${peak[$last]}" 'BEGIN {
    printf "preview memory growth from %d to %d files: %.0f bytes a file\n", a, b, (mb - ma) * 1024 / (b - a)
  }'
fi
