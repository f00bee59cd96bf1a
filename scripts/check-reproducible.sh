#!/usr/bin/env bash
# Builds the release programs twice, in two fresh folders of different names
# and without a compiler cache, and compares them byte for byte: the same
# commit must give the same program files.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
unset CMAKE_C_COMPILER_LAUNCHER CMAKE_CXX_COMPILER_LAUNCHER
export CCACHE_DISABLE=1
copies=("$root/build/reproducible-a" "$root/build/reproducible-b")
for copy in "${copies[@]}"; do
  rm -rf "$copy"
  VANTREL_BUILD_DIR="$copy" "$root/scripts/build.sh" release
done
mapfile -t programs < <(sed -e 's/#.*//' "$root/release/programs.txt" | awk 'NF { print $1 ".exe" }')
differ=0
for width in win32 win64; do
  for program in "${programs[@]}"; do
    a="${copies[0]}/release-$width/bin/$program"
    b="${copies[1]}/release-$width/bin/$program"
    if cmp -s "$a" "$b"; then
      echo "reproducible: $width/$program $(sha256sum < "$a" | cut -c1-16)"
    else
      echo "check-reproducible: $width/$program differs between two builds" >&2
      cmp "$a" "$b" | head -n 5 >&2 || true
      differ=1
    fi
  done
done
[ "$differ" -eq 0 ] && rm -rf "${copies[@]}"
exit "$differ"
