#!/usr/bin/env bash
# Runs a Windows program of this build under Wine: a private 32-bit prefix
# inside the build folder (created once, then reused), no Wine debug output,
# and a display (a shared Xvfb when none is set).
set -u
exe=$1; shift

build_dir=${BRIVANE_BUILD_DIR:-}
if [ -z "$build_dir" ]; then
  d=$(cd "$(dirname "$exe")" && pwd)
  while [ "$d" != / ] && [ ! -f "$d/CMakeCache.txt" ]; do d=$(dirname "$d"); done
  [ -f "$d/CMakeCache.txt" ] && build_dir=$d || build_dir=$(pwd)
fi

export WINEPREFIX=${WINEPREFIX:-$build_dir/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=xvfb.sh
. "$here/xvfb.sh"
brivane_ensure_display

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      wineboot -i >/dev/null 2>&1
      # Xvfb has no window manager: Wine draws the frames and captions itself.
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
      wineserver -w
    fi
  ) 9>"$WINEPREFIX.lock"
fi
# A warm wineserver between the many short test runs, started here with its
# output detached: a server that Wine starts by itself inherits the caller's
# output pipe and keeps a waiting ctest or shell hanging. (It returns at once,
# with an error, when the server is already running.)
# Wine's own background processes (services, devices) started by the first
# program of a fresh server inherit its output too, so a fresh server gets
# them started here, detached, before the program runs.
if wineserver -p30 </dev/null >/dev/null 2>&1; then
  wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
fi

exec wine "$exe" "$@"
