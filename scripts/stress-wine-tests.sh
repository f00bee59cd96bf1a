#!/usr/bin/env bash
# Runs the Wine tests again and again, side by side as the test command runs
# them (ctest -j), to find tests that fail now and then; prints each test's
# failures and its slowest run.
#   stress-wine-tests.sh [-n ROUNDS] [-j JOBS] [-R REGEX] [--load]
#     -n ROUNDS   how many rounds (default 3)
#     -j JOBS     ctest's parallel jobs, and as many Wine lanes (default:
#                 as the test command, twice the cores, at most 8)
#     -R REGEX    which tests (default: every Wine test, both widths)
#     --load      keeps the machine busy meanwhile: a second build of
#                 everything in build/stress-load, without the compiler
#                 cache, made again and again until the rounds are over
# Needs a finished test build (scripts/build.sh test). Runs inside a private
# network namespace when it can (port 80 stays free for the machine), as
# root does. Each round's ctest log goes to build/stress/round-N.log, and the
# figures of every run to build/stress/runs.txt.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
rounds=3
jobs=$("$root/scripts/side-by-side.sh")
regex='^wine'
load=0
while [ $# -gt 0 ]; do
  case "$1" in
    -n) rounds=$2; shift 2 ;;
    -j) jobs=$2; shift 2 ;;
    -R) regex=$2; shift 2 ;;
    --load) load=1; shift ;;
    *) sed -n '2,17p' "$0" >&2; exit 2 ;;
  esac
done

export VANTREL_WINE_LANES=${VANTREL_WINE_LANES:-$jobs}
native="$root/build/native"
[ -f "$native/CTestTestfile.cmake" ] || { echo "stress: no test build; run scripts/build.sh test first" >&2; exit 1; }
out="$root/build/stress"
rm -rf "$out"
mkdir -p "$out"

load_pid=
stop_load() {
  if [ -n "$load_pid" ]; then
    kill -- "-$load_pid" 2>/dev/null || true
    wait "$load_pid" 2>/dev/null || true
  fi
}
trap stop_load EXIT
if [ "$load" -eq 1 ]; then
  # Its own process group, so that it ends with every compiler it started.
  setsid bash -c '
    while true; do
      rm -rf "$1"
      CCACHE_DISABLE=1 VANTREL_BUILD_DIR="$1" VANTREL_JOBS="$2" "$3/scripts/build.sh" test >/dev/null 2>&1 || true
    done' stress-load "$root/build/stress-load" "$jobs" "$root" &
  load_pid=$!
  echo "stress: a second build runs meanwhile (build/stress-load)"
fi

# ctest in a network namespace of its own, with only the loopback device.
run_ctest() {
  if unshare -n true 2>/dev/null; then
    unshare -n bash -c 'ip link set lo up && exec "$@"' ctest "$@"
  else
    "$@"
  fi
}

failed=0
for round in $(seq 1 "$rounds"); do
  started=$(date +%s)
  set +e
  run_ctest ctest --test-dir "$native" -R "$regex" -j "$jobs" --output-on-failure \
    --output-junit "$out/round-$round.xml" > "$out/round-$round.log" 2>&1
  rc=$?
  set -e
  [ "$rc" -eq 0 ] || failed=1
  echo "stress: round $round of $rounds: $(grep -E 'tests passed|tests failed' "$out/round-$round.log" | tail -1)" \
       "in $(( $(date +%s) - started )) s"
done

# One line per run (round, test, status, seconds), then the summary.
python3 - "$out" "$rounds" <<'PY'
import sys, xml.etree.ElementTree as ET
out, rounds = sys.argv[1], int(sys.argv[2])
runs = {}
with open(f"{out}/runs.txt", "w") as listing:
    for r in range(1, rounds + 1):
        try:
            cases = ET.parse(f"{out}/round-{r}.xml").getroot().iter("testcase")
        except (OSError, ET.ParseError):
            continue
        for case in cases:
            name = case.get("name")
            status = case.get("status") or ("fail" if case.find("failure") is not None else "run")
            seconds = float(case.get("time") or 0)
            listing.write(f"{r} {name} {status} {seconds:.1f}\n")
            runs.setdefault(name, []).append((r, status, seconds))
print(f"{'test':58} {'runs':>4} {'failed':>6} {'slowest':>8}  failed in rounds")
for name in sorted(runs):
    rs = runs[name]
    bad = [r for r, status, _ in rs if status not in ("run", "pass", "passed", "notrun", "skipped", "disabled")]
    print(f"{name:58} {len(rs):>4} {len(bad):>6} {max(s for _, _, s in rs):>7.1f}s  {' '.join(map(str, bad))}")
PY
[ "$failed" -eq 0 ] && echo "stress: every round passed" || echo "stress: some rounds failed; see $out/round-N.log"
exit "$failed"
