#!/usr/bin/env bash
# build.sh [test|release]: configures and builds into build/ (or into
# VANTREL_BUILD_DIR).
#   test     (default) native + unit tests, fuzz targets, win64 and win32 with
#            their Wine test programs, programs-win64 and programs-win32 with
#            the programs those tests drive (built as the release programs
#            are); the update server and pages point at the loopback host
#   release  release-win64 and release-win32: the programs with the real
#            host names
# The programs come from the win32 thread-model compilers (they must start on
# Windows XP); the Wine test programs need the posix model for GoogleTest.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VANTREL_BUILD_DIR:-$root/build}
kind=${1:-test}
jobs=${VANTREL_JOBS:-$(nproc)}

configure() {  # folder, extra cmake arguments...
  local dir=$1
  shift
  cmake -G Ninja -S "$root" -B "$build/$dir" -DVANTREL_BUILD_ROOT="$build" "$@" >/dev/null
}

loopback=(-DVANTREL_UPDATE_SERVER=127.0.0.1
          -DVANTREL_HIT_COUNTER_PAGE="http://127.0.0.1/count.html?id=417"
          -DVANTREL_HOME_PAGE=http://127.0.0.1/home.html
          -DVANTREL_COUNTER_PAGE=http://127.0.0.1/counter.html
          -DVANTREL_UPDATE_PUBLIC_KEY="$root/tests/keys/test-update-key.public.pem")

case "$kind" in
  test)
    configure win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release "${loopback[@]}"
    configure win32 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release "${loopback[@]}"
    configure programs-win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DVANTREL_THREAD_MODEL=win32 -DCMAKE_BUILD_TYPE=Release "${loopback[@]}"
    configure programs-win32 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DVANTREL_THREAD_MODEL=win32 -DCMAKE_BUILD_TYPE=Release "${loopback[@]}"
    configure fuzz -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 -DVANTREL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
    configure native -DCMAKE_BUILD_TYPE=Debug -DVANTREL_WIN64_BUILD_DIR="$build/win64" -DVANTREL_WIN32_BUILD_DIR="$build/win32" \
      -DVANTREL_WIN64_PROGRAMS_DIR="$build/programs-win64" -DVANTREL_WIN32_PROGRAMS_DIR="$build/programs-win32" -DVANTREL_FUZZ_BUILD_DIR="$build/fuzz"
    for dir in native fuzz win64 win32; do
      echo "build: $dir"
      ninja -C "$build/$dir" -j "$jobs"
    done
    for dir in programs-win64 programs-win32; do
      echo "build: $dir"
      ninja -C "$build/$dir" -j "$jobs" programs
    done
    ;;
  release)
    configure release-win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DVANTREL_THREAD_MODEL=win32 -DCMAKE_BUILD_TYPE=Release
    configure release-win32 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DVANTREL_THREAD_MODEL=win32 -DCMAKE_BUILD_TYPE=Release
    for dir in release-win64 release-win32; do
      echo "build: $dir"
      ninja -C "$build/$dir" -j "$jobs" programs
    done
    ;;
  *) echo "usage: build.sh [test|release]" >&2; exit 2 ;;
esac
