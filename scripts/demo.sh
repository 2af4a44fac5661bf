#!/usr/bin/env bash
# Installs what it needs, builds Quorvane.exe and runs it under Wine beside
# the bundled substitute marketplace (HTTPS 127.0.0.1:8443, HTTP 127.0.0.1:8080).
# With a working DISPLAY the program stays up until its tray menu's exit, for
# you to search; without one it runs under a private Xvfb, a small driver
# runs one search through the window and a screenshot is written to
# shots/demo.png.
set -euo pipefail
root=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
cd "$root"
scripts/install-deps.sh
# Only what the demo runs: the program, its driver and the stand-ins the
# prefix hands chat links and shop pages to, not the tests of the tree.
scripts/build.sh win Quorvane search_demo standin_im_client standin_browser
scripts/setup-wine-prefix.sh build/win
export QUORVANE_WIN_BUILD="$root/build/win"
exe="$root/build/win/src/app/window/Quorvane.exe"
python3 tests/services/marketplace.py --cert build/win/testca/server.pem --key build/win/testca/server.key \
  --seed 1 &
market=$!
trap 'kill $market 2>/dev/null; wait $market 2>/dev/null || true' EXIT
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  scripts/wine-run "$exe"
  exit 0
fi
mkdir -p shots
rm -f build/win/shots/search_demo.bmp
scripts/with-display.sh bash -c '
  source scripts/wine-env.sh build/win
  wine explorer /desktop=quorvane,1600x900 "$0" >/dev/null 2>&1 &
  for _ in $(seq 1800); do [ -s build/win/shots/search_demo.bmp ] && break; sleep 0.1; done
  sleep 1
  wineserver -k
  wineserver -w
' "$root/build/win/tests/tools/search_demo/search_demo.exe"
convert build/win/shots/search_demo.bmp shots/demo.png
echo "screenshot: shots/demo.png"
