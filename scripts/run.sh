#!/usr/bin/env bash
# The run command: installs what is missing, builds Qorv.exe and runs it under
# a private Wine. With a display it opens there and runs until you close it;
# without one it runs under a private Xvfb for VANTREL_RUN_SECONDS (default
# 12) and leaves a screenshot in build/screenshots/run.png.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" release

export VANTREL_BUILD_ROOT="$root/build"
export VANTREL_WINE_ROOT="$root/build/wine-run"
source "$root/scripts/wine-env.sh"
vantrel_wine_prefix

# The program keeps SetupData.Sav beside itself: run it from its own folder.
work="$VANTREL_SCRATCH/Vantrel"
mkdir -p "$work"
cp "$root/build/release-win64/bin/Qorv.exe" "$root/build/release-win64/bin/QorvUpDate.exe" "$work/"
cd "$work"

if [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ]; then
  echo "run: starting Qorv.exe on $DISPLAY"
  wine Qorv.exe
  wineserver -w
  exit 0
fi

vantrel_start_xvfb
trap 'kill "$VANTREL_XVFB_PID" 2>/dev/null || true' EXIT
echo "run: no display; starting Qorv.exe under Xvfb $DISPLAY"
wine Qorv.exe >"$VANTREL_WINE_ROOT/qorv.log" 2>&1 &
qorv=$!
# The main window comes out from behind the splash after about 3 seconds.
sleep "${VANTREL_RUN_SECONDS:-12}"
mkdir -p "$root/build/screenshots"
import -window root "$root/build/screenshots/run.png"
echo "run: screenshot of the running program: $root/build/screenshots/run.png"
# Closed as a user would close it (WM_CLOSE), so it saves its settings and
# tidies up; only a program that does not end is killed.
wine taskkill /im Qorv.exe >/dev/null 2>&1 || true
for _ in $(seq 1 100); do
  kill -0 "$qorv" 2>/dev/null || break
  sleep 0.2
done
if kill -0 "$qorv" 2>/dev/null; then
  echo "run: Qorv.exe did not end when closed; stopping it" >&2
fi
wineserver -k || true
