#!/usr/bin/env bash
# Runs a Windows program of this build under Wine: the loader and prefix
# architecture chosen from the executable itself (a 64-bit program runs under
# wine64 in a 64-bit prefix, a 32-bit one under the 32-bit loader in a 32-bit
# prefix), a private prefix inside the program's build folder (created once,
# then reused), no Wine debug output, and a display (a shared Xvfb when none
# is set).
set -u
exe=$1; shift

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine-env.sh
. "$here/wine-env.sh"

build_dir=${BRIVANE_BUILD_DIR:-}
if [ -z "$build_dir" ]; then
  d=$(cd "$(dirname "$exe")" && pwd)
  while [ "$d" != / ] && [ ! -f "$d/CMakeCache.txt" ]; do d=$(dirname "$d"); done
  [ -f "$d/CMakeCache.txt" ] && build_dir=$d || build_dir=$(pwd)
fi

bits=$(brivane_pe_bits "$exe") || { echo "wine-run: $exe is not a Windows program" >&2; exit 126; }
brivane_wine_env "$bits" "${WINEPREFIX:-$build_dir/wineprefix}"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}

# shellcheck source=xvfb.sh
. "$here/xvfb.sh"
brivane_ensure_display

# A crashing program ends with its backtrace on stderr instead of waiting on
# Wine's crash dialog, which nobody closes under Xvfb.
no_crash_dialog() {
  "$BRIVANE_WINE" reg.exe add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    </dev/null >/dev/null 2>&1
}

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      "$BRIVANE_WINE" wineboot.exe -i >/dev/null 2>&1
      # Xvfb has no window manager: Wine draws the frames and captions itself.
      "$BRIVANE_WINE" reg.exe add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
      "$BRIVANE_WINE" reg.exe add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
      no_crash_dialog
      "$WINESERVER" -w
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
if "$WINESERVER" -p30 </dev/null >/dev/null 2>&1; then
  "$BRIVANE_WINE" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
fi
# A prefix made before the crash dialog was turned off gets it turned off
# once (the server writes the value out to user.reg within half a minute).
grep -q '"ShowCrashDialog"=dword:00000000' "$WINEPREFIX/user.reg" 2>/dev/null || no_crash_dialog

exec "$BRIVANE_WINE" "$exe" "$@"
