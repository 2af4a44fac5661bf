#!/usr/bin/env bash
# Takes the pictures of the user guide (docs/guide/*.png) and the README
# (docs/*.png): Quorvane.exe runs under Wine on a private display, on a
# desktop with Wine's taskbar, beside the substitute marketplace serving the
# Chinese shops of tests/tools/guide_shots/shops.tsv, and
# tests/tools/guide_shots drives it. The README's pictures at other DPIs and
# screen sizes come from screens of their own (scripts/with-screen.sh).
# Needs the cross build (scripts/build.sh win) and its prefix
# (scripts/setup-wine-prefix.sh).
set -euo pipefail
root=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
cd "$root"
export QUORVANE_WIN_BUILD="$root/build/win"
shots="$QUORVANE_WIN_BUILD/shots"
driver="$QUORVANE_WIN_BUILD/tests/tools/guide_shots/guide_shots.exe"
mkdir -p "$shots" docs/guide
# The stand-in IM client answers a launch with whatever windows a test left
# it to show (show.txt): the pictures want it plain, as a fresh client.
rm -f "$QUORVANE_WIN_BUILD"/tests/tools/im_client/{show.txt,launches.log,events.log}

# Runs the driver with ARGS on a desktop of SIZE ("shell" names the desktop
# that has a taskbar), then crops and converts what it listed.
take() {
  local size=$1
  shift
  rm -f "$shots/guide-shots.txt"
  # shellcheck disable=SC2016
  tests/services/with-marketplace.sh --shops tests/tools/guide_shots/shops.tsv -- "${screen[@]}" bash -c '
    source scripts/wine-env.sh "$QUORVANE_WIN_BUILD"
    list="$0"; size="$1"; shift
    wine explorer /desktop=shell,"$size" "$@" >/dev/null 2>&1 &
    for _ in $(seq 3000); do [ -s "$list" ] && break; sleep 0.1; done
    wineserver -k || true
    wineserver -w || true
  ' "$shots/guide-shots.txt" "$size" "$driver" "$@"
  local list="$shots/guide-shots.txt"
  grep -q "^end 0" "$list" 2>/dev/null || { echo "the pictures were not all taken" >&2; exit 1; }
  # Each line: path left top right bottom (screen pixels); keep that part.
  while read -r path left top right bottom; do
    [ "$path" = end ] && continue
    convert "$shots/$(basename "$path" .png).bmp" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
      -strip "$path"
    echo "$path"
  done < <(tr -d '\r' < "$list")
}

screen=(scripts/with-display.sh)
take 1600x900
screen=(scripts/with-screen.sh 1920x1200 144)
take 1920x1200 docs/main-window-144dpi.png
screen=(scripts/with-screen.sh 1280x720 120)
take 1280x720 docs/main-window-1280x720-120dpi.png
