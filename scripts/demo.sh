#!/usr/bin/env bash
# Installs what it needs, builds Quorvane.exe and runs it under Wine.
# With a working DISPLAY the program stays up until its tray menu's exit;
# without one it runs under a private Xvfb and a screenshot is written to
# shots/demo.png.
set -euo pipefail
root=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
cd "$root"
scripts/install-deps.sh
scripts/build.sh win
scripts/setup-wine-prefix.sh build/win
export QUORVANE_WIN_BUILD="$root/build/win"
exe="$root/build/win/src/app/window/Quorvane.exe"
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec scripts/wine-run "$exe"
fi
mkdir -p shots
scripts/with-display.sh bash -c '
  source scripts/wine-env.sh build/win
  wine explorer /desktop=quorvane,1600x900 "$0" >/dev/null 2>&1 &
  sleep 6
  import -window root shots/demo.png
  wineserver -k
  wineserver -w
' "$exe"
echo "screenshot: shots/demo.png"
