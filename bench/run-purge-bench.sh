#!/usr/bin/env bash
# Folder purge benchmark under Wine: builds trees of small files with Linux
# tools in the Wine scratch folder, empties each through folder_purge_bench.exe
# (run by scripts/wine-test.sh, so the usual isolation holds) and prints files
# per second, the ratios and the peak memory of the real purge.
#   bench/run-purge-bench.sh [FILES...]      default: 2000 20000, in 200 folders
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

ninja -C "$VANTREL_BUILD_ROOT/win64" folder_purge_bench >/dev/null
exe="$VANTREL_BUILD_ROOT/win64/bin/folder_purge_bench.exe"

make_tree() {  # folder, files
  local tree=$1 files=$2 per=$(( $2 / folders )) d f
  rm -rf "$tree"
  for ((d = 0; d < folders; d++)); do
    local dir
    dir=$(printf '%s/d%03d' "$tree" "$d")
    mkdir -p "$dir"
    for ((f = 0; f < per; f++)); do printf 'small file %d\n' "$f" > "$dir/f$f.txt"; done
  done
}

"$runner" start
trap '"$runner" stop' EXIT
for files in "${sizes[@]}"; do
  # Each way runs $rounds times, interleaved with the others; the best time of
  # each counts, since the machine's other load only ever adds time.
  declare -A seconds=() memory=()
  setup=
  frames=
  for ((round = 1; round <= rounds; round++)); do
    for mode in window silent bare bare-nowindow nopump; do
      make_tree "$scratch/purge-bench-tree" "$files"
      sync
      line=$("$runner" run "$exe" "$mode" 'B:\purge-bench-tree')
      echo "  $line" >&2
      s=$(sed -n 's/.* seconds=\([0-9.]*\).*/\1/p' <<<"$line")
      m=$(sed -n 's/.* peak_private_kb=\([0-9]*\).*/\1/p' <<<"$line")
      if [ -z "${seconds[$mode]:-}" ] || awk -v a="$s" -v b="${seconds[$mode]}" 'BEGIN { exit !(a < b) }'; then
        seconds[$mode]=$s
        if [ "$mode" = window ]; then
          setup=$(sed -n 's/.* setup_seconds=\([0-9.]*\).*/\1/p' <<<"$line")
          frames=$(sed -n 's/.* frames=\([0-9]*\).*/\1/p' <<<"$line")
        fi
      fi
      [ "${memory[$mode]:-0}" -ge "$m" ] || memory[$mode]=$m
      left=$(find "$scratch/purge-bench-tree" -type f | wc -l)
      [ "$left" -eq 0 ] || echo "  $mode left $left files" >&2
    done
  done
  awk -v n="$files" -v a="${seconds[window]}" -v s="${seconds[silent]}" -v b="${seconds[bare]}" \
      -v b0="${seconds[bare-nowindow]}" -v c="${seconds[nopump]}" -v ma="${memory[window]}" \
      -v ms="${memory[silent]}" -v mb="${memory[bare]}" -v setup="$setup" -v frames="$frames" 'BEGIN {
    printf "%d files in %d folders (best of %d)\n", n, '"$folders"', '"$rounds"'
    printf "  (a)  count + purge on the progress window          %7.3f s  %6.0f files/s  peak private %d KB  (%d frames)\n", a, n / a, ma, frames
    printf "       the same through a view that draws nothing    %7.3f s  %6.0f files/s  peak private %d KB\n", s, n / s, ms
    printf "  (b)  bare walk + pump, then walk + pump + delete   %7.3f s  %6.0f files/s  peak private %d KB\n", b, n / b, mb
    printf "       (the progress window shown and still)\n"
    printf "  (b0) the same without any window                  %7.3f s  %6.0f files/s\n", b0, n / b0
    printf "  (c)  bare walk + delete, no pump                  %7.3f s  %6.0f files/s\n", c, n / c
    printf "  the run'"'"'s guard set-up, once per run: %.3f s\n", setup
    printf "  a/b %.3f   a/b0 %.3f   a/c %.3f   silent/b0 %.3f\n", a / b, a / b0, a / c, s / b0
  }'
  rm -rf "$scratch/purge-bench-tree"
done
