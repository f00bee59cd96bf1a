#!/usr/bin/env bash
# The release command: installs what is missing, builds the release programs,
# checks them (imports, stripped, no time stamps) and writes one zip for each
# width: build/Vantrel-<release>-win32.zip and build/Vantrel-<release>-win64.zip,
# each with the programs of release/programs.txt and the read-me.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" release

release=$(sed -n 's/^#define QORV_RELEASE_TEXT "\(.*\)"$/\1/p' "$root/resources/version.h")
[ -n "$release" ] || { echo "package: no QORV_RELEASE_TEXT in resources/version.h" >&2; exit 1; }
mapfile -t programs < <(sed -e 's/#.*//' "$root/release/programs.txt" | awk 'NF { print $1 ".exe" }')

python3 "$root/scripts/check-imports.py" "$build/release-win64/bin" "$build/release-win32/bin"
python3 "$root/scripts/check-program-files.py" "$build/release-win64/bin" "$build/release-win32/bin"

# Every file in a zip carries the time of the commit, so that the same commit
# gives the same zips.
stamp=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 946684800)
for width in win32 win64; do
  stage="$build/package/$width"
  rm -rf "$stage"
  mkdir -p "$stage"
  for program in "${programs[@]}"; do
    cp "$build/release-$width/bin/$program" "$stage/"
  done
  # Notepad on every Windows from XP on reads UTF-8 with a byte-order mark.
  { printf '\xEF\xBB\xBF'; sed 's/$/\r/' "$root/release/ReadMe.txt"; } > "$stage/ReadMe.txt"
  touch -d "@$stamp" "$stage"/*
  zip="$build/Vantrel-$release-$width.zip"
  rm -f "$zip"
  (cd "$stage" && TZ=UTC zip -X -q "$zip" "${programs[@]}" ReadMe.txt)
  echo "package: $zip"
done
