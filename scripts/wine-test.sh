#!/usr/bin/env bash
# Runs the cross-compiled test programs under a private Wine (see wine-env.sh).
#   wine-test.sh start                 prefix, Xvfb and a warm wineserver for a test session
#   wine-test.sh stop                  ends that session (Xvfb by its PID, the wineserver)
#   wine-test.sh run EXE [ARGS...]     runs one program in a fresh scratch folder, with a time-out
#                                      (after tests/wine/NAME.fixture.sh, when there is one,
#                                      with the variables of tests/wine/NAME.env);
#                                      VANTREL_TEST_PROGRAMS names the folder of the programs it drives
# A run outside a started session starts and stops one of its own.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
: "${VANTREL_BUILD_ROOT:?set VANTREL_BUILD_ROOT to the build folder}"
export VANTREL_WINE_ROOT="${VANTREL_WINE_ROOT:-$VANTREL_BUILD_ROOT/wine}"
source "$here/wine-env.sh"
session="$VANTREL_WINE_ROOT/session.env"

start_session() {
  vantrel_wine_prefix
  vantrel_start_xvfb
  wineserver -p 300 </dev/null >/dev/null 2>&1
  printf 'export DISPLAY=%q VANTREL_XVFB_PID=%q\n' "$DISPLAY" "$VANTREL_XVFB_PID" > "$session"
}

stop_session() {
  if [ -f "$session" ]; then
    source "$session"
    kill "$VANTREL_XVFB_PID" 2>/dev/null || true
    rm -f "$session"
  fi
  wineserver -k 2>/dev/null || true
}

case "${1:-}" in
  start) stop_session; start_session ;;
  stop) stop_session ;;
  run)
    shift
    exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
    shift
    if [ "$VANTREL_RUNS_32BIT" -eq 0 ] && [ "$(vantrel_pe_machine "$exe")" = i386 ]; then
      echo "wine-test: skipped: this machine runs no 32-bit programs (its kernel's 32-bit emulation is off)" >&2
      exit 77
    fi
    own_session=0
    if [ -f "$session" ] && source "$session" && kill -0 "$VANTREL_XVFB_PID" 2>/dev/null; then
      vantrel_wine_drives
    else
      start_session
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
    # hands them its handles, and a pipe would stay open after it ends.
    set +e
    timeout -k 5 "${VANTREL_WINE_TIMEOUT:-300}" wine "$(basename "$exe")" "$@" > "$work/output.txt" 2>&1
    rc=$?
    if [ -f "$cleanup" ]; then
      (cd "$work" && bash "$cleanup") || true
    fi
    set -e
    iconv -f CP949 -t UTF-8 -c "$work/output.txt" || cat "$work/output.txt"
    [ "$own_session" -eq 1 ] && stop_session
    [ "$rc" -eq 124 ] && echo "wine-test: $name timed out" >&2
    exit "$rc"
    ;;
  *) echo "usage: wine-test.sh start|stop|run EXE [ARGS...]" >&2; exit 2 ;;
esac
