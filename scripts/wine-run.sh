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

# The prefix's settings, one .reg file for the prefix's width:
# - Xvfb has no window manager: Wine draws the frames and captions itself.
# - A crash ends the program with a non-zero status: no crash dialog waits
#   (nobody closes it under Xvfb) and no debugger is started, in the 32-bit
#   view of a 64-bit prefix too (Wine's automatic debugger prints a
#   backtrace, but then the program can end with status 0).
# - The faces the programs ask for are the fonts scripts/setup.sh installs,
#   whatever else the machine has: Wine would otherwise pick any installed
#   font for a face it lacks, and pages and pictures would differ from one
#   machine to the next. Tahoma is the dialogs' face ("MS Shell Dlg"); this
#   Wine does not load its own copy. A face the machine has stays its own.
prefix_settings() {
  cat <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Decorated"="N"
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]
"Debugger"=""

REG
  if [ "$1" = 64 ]; then
    cat <<'REG'
[HKEY_LOCAL_MACHINE\Software\Wow6432Node\Microsoft\Windows NT\CurrentVersion\AeDebug]
"Debugger"=""

REG
  fi
  cat <<'REG'
[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
"Times New Roman"="Liberation Serif"
"Courier New"="Liberation Mono"
"Tahoma"="Liberation Sans"
"Verdana"="Liberation Sans"
REG
}

# A new prefix is made once; a prefix made before a setting changed gets
# the settings again. Either under a lock, as tests start side by side.
settings=$(prefix_settings "$bits")
if [ ! -f "$WINEPREFIX/system.reg" ] || [ "$settings" != "$(cat "$WINEPREFIX/brivane-settings.reg" 2>/dev/null)" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    made=""
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      "$BRIVANE_WINE" wineboot.exe -i >/dev/null 2>&1
      made=1
    fi
    if [ "$settings" != "$(cat "$WINEPREFIX/brivane-settings.reg" 2>/dev/null)" ]; then
      printf '%s\n' "$settings" >"$WINEPREFIX/brivane-settings.new.reg"
      reg_file=$WINEPREFIX/brivane-settings.new.reg
      if "$BRIVANE_WINE" reg.exe import "Z:${reg_file//\//\\}" </dev/null >/dev/null 2>&1; then
        mv "$reg_file" "$WINEPREFIX/brivane-settings.reg"
      else
        echo "wine-run: the settings of $WINEPREFIX could not be written" >&2
      fi
    fi
    # A new prefix is on disk whole before the first program runs in it.
    [ -n "$made" ] && "$WINESERVER" -w
  ) 9>"$WINEPREFIX.lock"
fi
# A warm wineserver between the many short test runs, started here with its
# output detached: a server that Wine starts by itself inherits the caller's
# output pipe and keeps a waiting ctest or shell hanging. (It returns at once,
# with an error, when the server is already running.)
# Wine's own background processes (services, devices) started by the first
# program of a fresh server inherit its output too, so a fresh server gets
# them started here, detached, before the program runs: under the prefix's
# lock, as programs that start side by side would otherwise find the fresh
# server and start before them, one of them taking them on.
(
  flock 9
  # (The server and its processes outlive this: they must not hold the lock.)
  if "$WINESERVER" -p30 </dev/null >/dev/null 2>&1 9>&-; then
    "$BRIVANE_WINE" cmd.exe /c exit </dev/null >/dev/null 2>&1 9>&- || true
  fi
) 9>"$WINEPREFIX.lock"
exec "$BRIVANE_WINE" "$exe" "$@"
