# Sourced by the Wine runner and the run command: a private, isolated Wine
# set-up inside one build folder. Needs VANTREL_WINE_ROOT (a folder inside the
# build folder) to be set before sourcing.
#
# Isolation is the point. Wine's Recycle Bin is the Linux user's Trash
# (XDG_DATA_HOME), a fresh prefix links Desktop and Documents to $HOME, and
# drive Z: is the whole Linux file system. So HOME and XDG_DATA_HOME are moved
# into the build folder before the prefix is made, and Z: is taken away: the
# only drives a program under test sees are C: (the prefix), B: (the scratch
# area, where each test program runs) and D: (the build folder).

: "${VANTREL_WINE_ROOT:?set VANTREL_WINE_ROOT to a folder inside the build folder}"
mkdir -p "$VANTREL_WINE_ROOT"
VANTREL_WINE_ROOT=$(cd "$VANTREL_WINE_ROOT" && pwd)
export VANTREL_WINE_ROOT
export HOME="$VANTREL_WINE_ROOT/home"
export XDG_DATA_HOME="$VANTREL_WINE_ROOT/home/.local/share"
export XDG_CONFIG_HOME="$VANTREL_WINE_ROOT/home/.config"
export XDG_CACHE_HOME="$VANTREL_WINE_ROOT/home/.cache"
export WINEPREFIX="$VANTREL_WINE_ROOT/prefix"
export WINEARCH=win64
export WINEDEBUG=-all
export LANG=ko_KR.UTF-8
export LC_ALL=ko_KR.UTF-8
export LC_MESSAGES=C
# No Mono or Gecko installer prompts: neither can be downloaded here.
export WINEDLLOVERRIDES="mscoree=d;mshtml=d"
export VANTREL_SCRATCH="$VANTREL_WINE_ROOT/scratch"
mkdir -p "$HOME" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$VANTREL_SCRATCH"

# Whether this machine runs 32-bit programs at all: a kernel may have its
# 32-bit emulation switched off, and then the 32-bit Wine loader (the one
# Debian's "wine" picks when it is installed) fails with "Exec format error".
vantrel_runs_32bit() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Without 32-bit programs, "wine" (and "wine-stable", which wineboot and the
# other Wine commands call) is the 64-bit loader, so 64-bit Wine still works.
if [ -x /usr/lib/wine/wine64 ] && ! vantrel_runs_32bit; then
  VANTREL_RUNS_32BIT=0
  mkdir -p "$VANTREL_WINE_ROOT/loader"
  for command in wine wine-stable; do
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' > "$VANTREL_WINE_ROOT/loader/$command"
    chmod +x "$VANTREL_WINE_ROOT/loader/$command"
  done
  case ":$PATH:" in
    *":$VANTREL_WINE_ROOT/loader:"*) ;;
    *) export PATH="$VANTREL_WINE_ROOT/loader:$PATH" ;;
  esac
  export WINELOADER=/usr/lib/wine/wine64
else
  VANTREL_RUNS_32BIT=1
fi
export VANTREL_RUNS_32BIT

vantrel_wine_drives() {
  rm -f "$WINEPREFIX/dosdevices/z:"
  ln -sfn "$VANTREL_SCRATCH" "$WINEPREFIX/dosdevices/b:"
  if [ -n "${VANTREL_BUILD_ROOT:-}" ]; then
    ln -sfn "$VANTREL_BUILD_ROOT" "$WINEPREFIX/dosdevices/d:"
  fi
}

# What the Wine installation is: its packages and its loaders. A prefix made
# by another installation may start nothing at all (one made before 32-bit
# Wine was added cannot load the 32-bit kernel32.dll), so it is made anew.
vantrel_wine_installation() {
  dpkg-query -W -f '${Package}:${Architecture} ${Version} ${Status}\n' 'wine*' 'libwine*' 2>/dev/null \
    | grep ' installed$' || true
  local loader
  for loader in "$(command -v wine)" /usr/lib/wine/wine /usr/lib/wine/wine64 /usr/lib/wine/wineserver32 /usr/lib/wine/wineserver64; do
    [ -e "$loader" ] && stat -L -c '%n %s %Y' "$loader"
  done
  echo "runs 32-bit programs: $VANTREL_RUNS_32BIT"
  return 0
}

# Creates the prefix once and keeps it while the Wine installation stays the
# same; later calls only check the drives.
vantrel_wine_prefix() {
  local installation
  installation=$(vantrel_wine_installation)
  if [ ! -f "$WINEPREFIX/.vantrel-ready" ] || [ "$(cat "$WINEPREFIX/.vantrel-ready")" != "$installation" ]; then
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    wineboot -i </dev/null >/dev/null 2>&1
    wineserver -w
    vantrel_wine_drives
    local reg="$VANTREL_WINE_ROOT/settings.reg"
    # Managed=N: without a window manager every close or hide stalls 2 s.
    # Audio off: no sound device here. Font replacements: the dialogs ask for
    # 굴림 and 굴림체, which Nanum fonts stand in for.
    printf '%s\r\n' 'REGEDIT4' '' \
      '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' '"Decorated"="N"' '' \
      '[HKEY_CURRENT_USER\Software\Wine\Drivers]' '"Audio"=""' '' \
      '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
      '"굴림"="NanumGothic"' '"굴림체"="NanumGothicCoding"' '"Gulim"="NanumGothic"' \
      '"GulimChe"="NanumGothicCoding"' '"돋움"="NanumGothic"' '"Dotum"="NanumGothic"' \
      '"MS Sans Serif"="NanumGothic"' '"MS Shell Dlg"="NanumGothic"' '"MS Shell Dlg 2"="NanumGothic"' '' \
      | iconv -f UTF-8 -t CP949 > "$reg"
    wine regedit /S "$(winepath -w "$reg" 2>/dev/null || echo "$reg")" >/dev/null 2>&1
    wineserver -w
    printf '%s\n' "$installation" > "$WINEPREFIX/.vantrel-ready"
  fi
  vantrel_wine_drives
}

# The machine a program file is built for: i386 or amd64 (else empty).
vantrel_pe_machine() {
  local pe machine
  pe=$(od -An -t u4 -j 60 -N 4 "$1" 2>/dev/null | tr -d ' ')
  [ -n "$pe" ] || return 0
  machine=$(od -An -t x2 -j $((pe + 4)) -N 2 "$1" 2>/dev/null | tr -d ' ')
  case "$machine" in
    014c) echo i386 ;;
    8664) echo amd64 ;;
  esac
}

# Starts a private Xvfb on a free display; sets DISPLAY and VANTREL_XVFB_PID.
# A display is claimed by its lock file (/tmp/.XN-lock), which Xvfb takes at
# once or not at all, so two set-ups starting together never share one. The
# lock holds across network namespaces, where Xvfb's abstract sockets do not:
# a set-up in another namespace (the stress command's beside a test run)
# would otherwise take the same display and, when it ends, remove the socket
# file that this one's programs connect through. When the lock is another
# server's, Xvfb ends at once and the next display is tried.
vantrel_start_xvfb() {
  local n i log="$VANTREL_WINE_ROOT/xvfb.log"
  for n in $(seq 0 199); do
    # Detached from our output: a test runner waits for every holder of its pipes.
    setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$log" 2>&1 &
    VANTREL_XVFB_PID=$!
    for i in $(seq 1 200); do
      kill -0 "$VANTREL_XVFB_PID" 2>/dev/null || break
      if vantrel_xvfb_listens "$n" "$VANTREL_XVFB_PID"; then
        export DISPLAY=":$n" VANTREL_XVFB_PID
        return 0
      fi
      sleep 0.05
    done
    kill "$VANTREL_XVFB_PID" 2>/dev/null || true
  done
  echo "wine-env: Xvfb did not start:" >&2
  cat "$log" >&2
  return 1
}

# Whether the Xvfb with this PID holds display $1 and takes connections.
vantrel_xvfb_listens() {  # display, pid
  [ "$(tr -dc 0-9 2>/dev/null < "/tmp/.X$1-lock")" = "$2" ] && grep -q " /tmp/.X11-unix/X$1\$" /proc/net/unix
}

# Makes the prefix of another lane (see wine-test.sh) from a ready one, once
# per Wine installation: the program files are linked (nothing writes them),
# everything else is copied, and the links into the other lane's folders
# (Desktop, Documents...) point into this lane's own.
vantrel_copy_prefix() {  # ready lane root, this lane root
  local from=$1 to=$2
  if [ -f "$to/prefix/.vantrel-ready" ] && cmp -s "$from/prefix/.vantrel-ready" "$to/prefix/.vantrel-ready"; then
    return 0
  fi
  rm -rf "$to/prefix"
  mkdir -p "$to"
  cp -a --link "$from/prefix" "$to/prefix"
  find "$to/prefix" -type f -links +1 ! -iname '*.dll' ! -iname '*.exe' ! -iname '*.sys' ! -iname '*.drv' \
    ! -iname '*.ocx' ! -iname '*.cpl' ! -iname '*.acm' ! -iname '*.ax' ! -iname '*.tlb' ! -iname '*.nls' \
    ! -iname '*.ttf' ! -iname '*.fon' ! -iname '*.so' -exec sh -c 'for f; do cp -p "$f" "$f.copy" && mv -f "$f.copy" "$f"; done' sh {} +
  local link target
  while IFS= read -r -d '' link; do
    target=$(readlink "$link")
    case "$target" in
      "$from"/*) ln -sfn "$to/${target#"$from"/}" "$link"; mkdir -p "$to/${target#"$from"/}" ;;
    esac
  done < <(find "$to/prefix" -type l -print0)
}
