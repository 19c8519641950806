#!/usr/bin/env bash
# Installs what is missing, builds the Windows programs, and starts Brivane
# under Wine on the given file (or on the bundled sample).
# With no display it runs on Xvfb, saves a screenshot, prints its path and
# ends the program.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

bash scripts/setup.sh
if [ ! -f build/windows/build.ninja ]; then
  cmake --preset windows >/dev/null
fi
cmake --build --preset windows --target brivane23 BrivanenD -j "$(nproc)" >/dev/null

file=${1:-}
if [ -z "$file" ] && [ -f samples/sample.bvx ]; then
  file=$top/samples/sample.bvx
fi
args=()
if [ -n "$file" ]; then
  # Wine sees the Linux root as drive Z:.
  path=$(readlink -f "$file")
  args+=("Z:${path//\//\\}")
fi

export BRIVANE_BUILD_DIR=$top/build/windows
exe=$top/build/windows/bin/brivane23.exe

if [ -n "${DISPLAY:-}" ]; then
  exec scripts/wine-run.sh "$exe" "${args[@]}"
fi

# No display: run on Xvfb and take a picture of the screen.
. scripts/xvfb.sh
brivane_ensure_display
scripts/wine-run.sh "$exe" "${args[@]}" &
pid=$!
shot=$top/build/brivane-screenshot.png
for _ in $(seq 60); do
  sleep 1
  if xwininfo -root -tree 2>/dev/null | grep -q '"Brivane'; then
    sleep 3
    break
  fi
done
import -window root "$shot"
WINEPREFIX=$top/build/windows/wineprefix wineserver -k >/dev/null 2>&1 || true
wait "$pid" 2>/dev/null || true
echo "screenshot: $shot"
