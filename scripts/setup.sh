#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12. Safe to run again:
# it does nothing when everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ libgtest-dev googletest clang-14 libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
  g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32 zip
  wine wine64 wine32:i386 xvfb xauth x11-apps locales fonts-nanum imagemagick python3-pil e2fsprogs
  nginx-light openssl iproute2
)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# The 32-bit programs are tested under 32-bit Wine, which comes from the i386
# architecture.
if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "setup: adding the i386 architecture"
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine uses code page 949 only when the Korean Unix locale exists.
if ! locale -a 2>/dev/null | grep -qi '^ko_KR\.utf-\?8$'; then
  echo "setup: generating the ko_KR.UTF-8 locale"
  grep -q '^ko_KR.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null \
    || echo 'ko_KR.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
