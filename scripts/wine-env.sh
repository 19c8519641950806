# Sourced by the scripts that start Windows programs: which Wine loader and
# server run a program of either width, and whether this machine runs 32-bit
# programs at all.

# Prints 32 or 64 from the machine field of a PE file's header; fails for a
# file that is not a Windows program.
brivane_pe_bits() {
  local file=$1 lfanew machine
  [ -f "$file" ] || return 1
  [ "$(head -c 2 "$file" 2>/dev/null)" = MZ ] || return 1
  lfanew=$(od -An -tu4 -j60 -N4 "$file" 2>/dev/null | tr -d ' ')
  [ -n "$lfanew" ] || return 1
  [ "$(od -An -c -j"$lfanew" -N2 "$file" 2>/dev/null | tr -d ' ')" = PE ] || return 1
  machine=$(od -An -tx2 -j$((lfanew + 4)) -N2 "$file" 2>/dev/null | tr -d ' ')
  case "$machine" in
    014c) echo 32 ;;
    8664) echo 64 ;;
    *) return 1 ;;
  esac
}

# Sets BRIVANE_WINE (the loader), WINESERVER, WINEARCH and WINEPREFIX for a
# program of the given width. Debian's /usr/bin/wine always takes the 32-bit
# loader when it is installed, so the loaders are named directly.
brivane_wine_env() {
  local bits=$1 prefix=$2
  local lib=${BRIVANE_WINE_LIB:-/usr/lib/wine}
  if [ "$bits" = 64 ]; then
    BRIVANE_WINE=$lib/wine64
    WINEARCH=win64
    if [ -x "$lib/wineserver64" ]; then WINESERVER=$lib/wineserver64; else WINESERVER=$lib/wineserver; fi
  else
    BRIVANE_WINE=$lib/wine
    WINEARCH=win32
    WINESERVER=$lib/wineserver
  fi
  [ -x "$BRIVANE_WINE" ] || BRIVANE_WINE=wine
  command -v "$WINESERVER" >/dev/null 2>&1 || WINESERVER=wineserver
  WINEPREFIX=$prefix
  export BRIVANE_WINE WINESERVER WINEARCH WINEPREFIX
}

# Succeeds when this machine runs 32-bit programs, found by running one (the
# 32-bit Wine loader). BRIVANE_NO_32BIT=1 makes it answer no, so the path of
# machines without 32-bit support is exercised anywhere.
brivane_runs_32bit() {
  [ "${BRIVANE_NO_32BIT:-0}" = 1 ] && return 1
  local loader=${BRIVANE_WINE_LIB:-/usr/lib/wine}/wine
  [ -x "$loader" ] && "$loader" --version >/dev/null 2>&1
}
