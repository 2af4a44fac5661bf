#!/usr/bin/env bash
# Runs a command on a private X screen of the given size, with Wine at the
# given DPI (the registry's LogPixels), under a wineserver of its own in the
# cross tree's copy of its prefix (made by setup-wine-prefix.sh). The suites
# sharing the tree's own prefix and display never see the DPI or the screen
# change. Usage: with-screen.sh WIDTHxHEIGHT DPI command...
set -euo pipefail
root=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
size=${1:?WIDTHxHEIGHT}
dpi=${2:?DPI}
shift 2
build=${QUORVANE_WIN_BUILD:?QUORVANE_WIN_BUILD must name the cross build tree}
export QUORVANE_WINE_PREFIX="$build/wineprefix-screens"
if [ ! -f "$QUORVANE_WINE_PREFIX/system.reg" ]; then
  echo "no prefix copy at $QUORVANE_WINE_PREFIX: run scripts/setup-wine-prefix.sh" >&2
  exit 1
fi
source "$root/scripts/wine-env.sh" "$build"

fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
  rm -f "$fdfile"
}
trap cleanup EXIT
for _ in $(seq 100); do
  [ -s "$fdfile" ] && break
  sleep 0.05
done
export DISPLAY=":$(head -n1 "$fdfile")"

# Wine's services start with the first process: away from the caller's
# output, which they would otherwise hold open.
wineserver -p
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
status=0
"$@" || status=$?
exit $status
