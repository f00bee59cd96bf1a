#!/usr/bin/env bash
# build.sh [test|release]: configures and builds into build/.
#   test     (default) native + unit tests, fuzz targets, win64 + Wine tests, win32;
#            the update server and pages point at the loopback host
#   release  win64 and win32 programs with the real host names
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build"
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
          -DVANTREL_COUNTER_PAGE=http://127.0.0.1/counter.html)

case "$kind" in
  test)
    configure win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release "${loopback[@]}"
    configure win32 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release "${loopback[@]}"
    configure fuzz -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 -DVANTREL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
    configure native -DCMAKE_BUILD_TYPE=Debug -DVANTREL_WIN64_BUILD_DIR="$build/win64" -DVANTREL_FUZZ_BUILD_DIR="$build/fuzz"
    for dir in native fuzz win64; do
      echo "build: $dir"
      ninja -C "$build/$dir" -j "$jobs"
    done
    echo "build: win32 (Qorv.exe, QorvUpDate.exe, VantrelCli.exe)"
    ninja -C "$build/win32" -j "$jobs" Qorv QorvUpDate VantrelCli
    ;;
  release)
    configure release-win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release
    configure release-win32 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release
    for dir in release-win64 release-win32; do
      echo "build: $dir"
      ninja -C "$build/$dir" -j "$jobs" Qorv QorvUpDate VantrelCli
    done
    ;;
  *) echo "usage: build.sh [test|release]" >&2; exit 2 ;;
esac
