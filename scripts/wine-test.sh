#!/usr/bin/env bash
# Runs the cross-compiled test programs under a private Wine (see wine-env.sh).
#   wine-test.sh start                 prefixes, Xvfbs and warm wineservers for a test session
#   wine-test.sh stop                  ends that session (Xvfbs and holders by their PIDs, the wineservers)
#   wine-test.sh run EXE [ARGS...]     runs one program in a fresh scratch folder, with a time-out
#                                      (after tests/wine/NAME.fixture.sh, when there is one,
#                                      with the variables of tests/wine/NAME.env);
#                                      VANTREL_TEST_PROGRAMS names the folder of the programs it drives
#   wine-test.sh lane COMMAND [ARGS...]
#                                      runs a command in a lane of its own, where a
#                                      run inside it runs too (web-test.sh: nginx beside the program)
#   wine-test.sh in-lane N COMMAND...  the same in lane N (lane and run call it, holding the lane)
# A run outside a started session starts and stops one of its own.
#
# Each test program runs in a lane of its own: a lane is a prefix with its
# wineserver, an Xvfb display and, where this runs as root, a network
# namespace with its own loopback port 80. A session has VANTREL_WINE_LANES
# lanes (default: side-by-side.sh, as many as the test command's jobs), and
# test programs run side by side, each alone in its lane; without network
# namespaces it has one, as port 80 would be shared. A run takes a free lane
# and keeps it until it ends, so no two test programs ever share a desktop, a
# Wine prefix or port 80. Lane 0 lives in VANTREL_WINE_ROOT (build/wine), lane N in
# build/wine-lanes/N.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
: "${VANTREL_BUILD_ROOT:?set VANTREL_BUILD_ROOT to the build folder}"
VANTREL_BUILD_ROOT=$(cd "$VANTREL_BUILD_ROOT" && pwd)
export VANTREL_BUILD_ROOT
# Lane 0's folder, as the first runner of a session found it (a runner
# inside a lane sees that lane's VANTREL_WINE_ROOT).
export VANTREL_WINE_SESSION_ROOT="${VANTREL_WINE_SESSION_ROOT:-${VANTREL_WINE_ROOT:-$VANTREL_BUILD_ROOT/wine}}"
export VANTREL_WINE_ROOT="${VANTREL_WINE_ROOT:-$VANTREL_WINE_SESSION_ROOT}"
source "$here/wine-env.sh"
lane0_root=$VANTREL_WINE_SESSION_ROOT
session="$lane0_root/session.env"

lane_root() {
  if [ "$1" -eq 0 ]; then echo "$lane0_root"; else echo "$VANTREL_BUILD_ROOT/wine-lanes/$1"; fi
}

# Makes this shell's Wine the one of lane $1 (prefix, home, scratch, display, namespace).
use_lane() {
  export VANTREL_WINE_LANE=$1
  VANTREL_WINE_ROOT=$(lane_root "$1")
  source "$here/wine-env.sh"
  if [ -f "$VANTREL_WINE_ROOT/lane.env" ]; then
    source "$VANTREL_WINE_ROOT/lane.env"
  fi
}

# Runs a command inside the network namespace of the current lane, if it has one.
in_lane() {
  if [ -n "${VANTREL_NETNS_PID:-}" ]; then
    nsenter -t "$VANTREL_NETNS_PID" -n "$@"
  else
    "$@"
  fi
}

start_lane() {  # lane, with a network namespace of its own (0 or 1)
  local lane=$1 own_net=$2
  use_lane "$lane"
  if [ "$lane" -eq 0 ]; then
    vantrel_wine_prefix
  else
    vantrel_copy_prefix "$lane0_root" "$VANTREL_WINE_ROOT"
    vantrel_wine_drives
  fi
  VANTREL_NETNS_PID=
  if [ "$own_net" -eq 1 ]; then
    setsid unshare -n sleep infinity </dev/null >/dev/null 2>&1 &
    VANTREL_NETNS_PID=$!
    # unshare has made the namespace once sleep runs in it.
    local i
    for i in $(seq 1 100); do
      [ "$(readlink "/proc/$VANTREL_NETNS_PID/ns/net")" != "$(readlink /proc/self/ns/net)" ] && break
      sleep 0.05
    done
    in_lane ip link set lo up
  fi
  vantrel_start_xvfb
  in_lane wineserver -p 300 </dev/null >/dev/null 2>&1
  printf 'export DISPLAY=%q VANTREL_XVFB_PID=%q VANTREL_NETNS_PID=%q\n' \
    "$DISPLAY" "$VANTREL_XVFB_PID" "$VANTREL_NETNS_PID" > "$VANTREL_WINE_ROOT/lane.env"
}

start_session() {  # number of lanes, whether they get network namespaces (0 or 1)
  local lanes=$1 own_net=$2 lane
  if [ "$own_net" -eq 1 ] && ! unshare -n true 2>/dev/null; then
    own_net=0
    if [ "$lanes" -gt 1 ]; then
      echo "wine-test: no network namespaces here (not root?): one lane, the tests run one after another" >&2
      lanes=1
    fi
  fi
  for lane in $(seq 0 $((lanes - 1))); do
    (start_lane "$lane" "$own_net")
  done
  printf 'export VANTREL_WINE_LANES=%q\n' "$lanes" > "$session"
}

stop_session() {
  local lanes=1 lane
  if [ -f "$session" ]; then
    source "$session"
    lanes=$VANTREL_WINE_LANES
    rm -f "$session"
  fi
  for lane in $(seq 0 $((lanes - 1))); do
    (
      use_lane "$lane"
      wineserver -k 2>/dev/null || true
      [ -n "${VANTREL_XVFB_PID:-}" ] && kill "$VANTREL_XVFB_PID" 2>/dev/null
      [ -n "${VANTREL_NETNS_PID:-}" ] && kill "$VANTREL_NETNS_PID" 2>/dev/null
      rm -f "$VANTREL_WINE_ROOT/lane.env"
    ) || true
  done
}

session_running() {
  [ -f "$session" ] && [ -f "$lane0_root/lane.env" ] && (source "$lane0_root/lane.env" && kill -0 "$VANTREL_XVFB_PID") 2>/dev/null
}

# Runs a command in a free lane of the running session: a lock on the lane
# is held by flock (not by the command, whose children, a desktop process
# among them, would otherwise keep it) until the command ends.
readonly lane_busy=252
with_lane() {
  source "$session"
  local lane rc
  while true; do
    for lane in $(seq 0 $((VANTREL_WINE_LANES - 1))); do
      set +e
      flock -n -o -E "$lane_busy" "$VANTREL_BUILD_ROOT/wine-lane-$lane.lock" "$here/wine-test.sh" in-lane "$lane" "$@"
      rc=$?
      set -e
      [ "$rc" -eq "$lane_busy" ] || return "$rc"
    done
    sleep 0.2
  done
}

case "${1:-}" in
  start) stop_session; start_session "${VANTREL_WINE_LANES:-$("$here/side-by-side.sh")}" 1 ;;
  stop) stop_session ;;
  lane)
    shift
    if [ -n "${VANTREL_WINE_LANE:-}" ]; then
      exec "$@"
    fi
    if ! session_running; then
      VANTREL_WINE_LANE=0 exec "$@"
    fi
    with_lane "$@"
    ;;
  in-lane)
    use_lane "$2"
    shift 2
    in_lane "$@"
    ;;
  run)
    shift
    if [ -z "${VANTREL_WINE_LANE:-}" ] && session_running; then
      with_lane "$here/wine-test.sh" run "$@"
      exit $?
    fi
    exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
    shift
    if [ "$VANTREL_RUNS_32BIT" -eq 0 ] && [ "$(vantrel_pe_machine "$exe")" = i386 ]; then
      echo "wine-test: skipped: this machine runs no 32-bit programs (its kernel's 32-bit emulation is off)" >&2
      exit 77
    fi
    own_session=0
    if [ -n "${VANTREL_WINE_LANE:-}" ] && session_running; then
      use_lane "$VANTREL_WINE_LANE"
      vantrel_wine_drives
    else
      # On the caller's network, where a web server it started may wait.
      start_session 1 0
      use_lane 0
      own_session=1
    fi
    name=$(basename "$exe" .exe)
    # Where the programs under test are, as the test program sees it (D: is
    # the build folder), for tests that start Qorv.exe or QorvUpDate.exe:
    # VANTREL_TEST_PROGRAMS (a folder inside the build folder); else, for a
    # test program of build/win64 or build/win32, the programs built as the
    # release programs are (build/programs-win64 or build/programs-win32);
    # else the test program's own folder.
    programs=${VANTREL_TEST_PROGRAMS:-$VANTREL_BUILD_ROOT/programs-$(basename "$(dirname "$(dirname "$exe")")")/bin}
    [ -d "$programs" ] || programs=$(dirname "$exe")
    bin_dir=$(cd "$programs" && pwd)
    rel=${bin_dir#"$VANTREL_BUILD_ROOT"/}
    export VANTREL_TEST_BIN="D:\\${rel//\//\\}"
    # And the test program's own build folder, for the helpers built beside
    # it (stand-in programs, signed test updates).
    own_dir=$(dirname "$exe")
    own_rel=${own_dir#"$VANTREL_BUILD_ROOT"/}
    export VANTREL_TEST_BUILD_BIN="D:\\${own_rel//\//\\}"
    work="$VANTREL_SCRATCH/$name"
    # A test may also bring a clean-up step for what its fixture did that
    # outlives the run (a folder made immutable); it runs after the program,
    # and before a new run in case an earlier one was cut short.
    cleanup="$here/../tests/wine/$name.cleanup.sh"
    if [ -f "$cleanup" ] && [ -d "$work" ]; then
      (cd "$work" && bash "$cleanup") || true
    fi
    rm -rf "$work"
    mkdir -p "$work"
    cp "$exe" "$work/"
    # A test may bring a shell step that prepares its scratch folder with what
    # a Windows program cannot make under Wine (Linux directory links). It
    # runs inside the scratch folder and must stay there.
    fixture="$here/../tests/wine/$name.fixture.sh"
    if [ -f "$fixture" ]; then
      (cd "$work" && bash "$fixture")
    fi
    # A test may bring its own environment (tests/wine/NAME.env, sourced).
    envfile="$here/../tests/wine/$name.env"
    if [ -f "$envfile" ]; then
      source "$envfile"
    fi
    cd "$work"
    # Output goes to a file, not a pipe: a program that starts other programs
    # hands them its handles, and a pipe would stay open after it ends. Each
    # test inside has a deadline of its own (the watchdog of the test
    # support); this one only catches a program that hangs outside them.
    set +e
    in_lane timeout -k 5 "${VANTREL_WINE_TIMEOUT:-180}" wine "$(basename "$exe")" "$@" > "$work/output.txt" 2>&1
    rc=$?
    if [ -f "$cleanup" ]; then
      (cd "$work" && bash "$cleanup") || true
    fi
    set -e
    iconv -f CP949 -t UTF-8 -c "$work/output.txt" || cat "$work/output.txt"
    [ "$own_session" -eq 1 ] && stop_session
    [ "$rc" -eq 124 ] && echo "wine-test: $name timed out after ${VANTREL_WINE_TIMEOUT:-180} s" >&2
    exit "$rc"
    ;;
  *) echo "usage: wine-test.sh start|stop|run EXE [ARGS...]|lane COMMAND [ARGS...]" >&2; exit 2 ;;
esac
