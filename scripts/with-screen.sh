#!/usr/bin/env bash
# Runs a command on a private X screen of the given size, with Wine at the
# given DPI (the registry's LogPixels) drawing the windows' frames itself, in
# a copy of the cross tree's Wine
# prefix under a wineserver of its own. The suites sharing the tree's prefix
# and display never see the DPI or the screen change.
#   with-screen.sh WIDTHxHEIGHT DPI command [args...]
# Only the registry is copied (the DPI lives there); drive_c is the
# original's, reached through a link. Wine processes started through
# scripts/wine-env.sh (wine-run) land in the copy, which is removed afterwards.
set -euo pipefail
root=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
size=${1:?WIDTHxHEIGHT}
dpi=${2:?DPI}
shift 2
build=$(cd "${QUORVANE_WIN_BUILD:?QUORVANE_WIN_BUILD must name the cross build tree}" && pwd)
original="$build/wineprefix"
[ -f "$original/system.reg" ] || { echo "no Wine prefix in $build (run scripts/setup-wine-prefix.sh)" >&2; exit 1; }

copy=$(mktemp -d "$build/wineprefix-screen.XXXXXX")
fdfile=$(mktemp)
xvfb=
cleanup() {
  WINEPREFIX="$copy" wineserver -k 2>/dev/null || true
  WINEPREFIX="$copy" wineserver -w 2>/dev/null || true
  [ -n "$xvfb" ] && { kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; }
  rm -rf "$copy" "$fdfile"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

cp "$original"/*.reg "$original/.update-timestamp" "$copy/"
ln -s "$original/drive_c" "$copy/drive_c"
mkdir "$copy/dosdevices"
ln -s ../drive_c "$copy/dosdevices/c:"
ln -s / "$copy/dosdevices/z:"

Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do
  [ -s "$fdfile" ] && break
  sleep 0.05
done
export DISPLAY=":$(head -n1 "$fdfile")"

export QUORVANE_WINEPREFIX="$copy"
source "$root/scripts/wine-env.sh" "$build"
# Wine's services start with the first process; their output must not hold
# the caller's (CTest's) pipes open.
wineserver -p
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
# Wine draws the windows' frames and captions itself ("unmanaged" windows),
# as Windows does: a bare X server has no window manager to draw them, and a
# frame nobody draws takes no mouse input, so its edges could not be dragged.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
"$@"
