#!/usr/bin/env bash
# Takes the screenshots of the user guide (docs/guide/*.png): Quorvane.exe
# runs under Wine on a private display beside the substitute marketplace,
# and tests/tools/guide_shots drives it through a search. Needs the cross
# build (scripts/build.sh win) and its prefix (scripts/setup-wine-prefix.sh).
set -euo pipefail
root=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
cd "$root"
export QUORVANE_WIN_BUILD="$root/build/win"
shots="$QUORVANE_WIN_BUILD/shots"
mkdir -p "$shots" docs/guide
rm -f "$shots"/guide-*
tests/services/with-marketplace.sh --seed 1 -- scripts/with-display.sh bash -c '
  source scripts/wine-env.sh "$QUORVANE_WIN_BUILD"
  wine explorer /desktop=guide,1600x900 "$QUORVANE_WIN_BUILD/tests/tools/guide_shots/guide_shots.exe" \
    >/dev/null 2>&1 &
  for _ in $(seq 1800); do [ -s "$0/guide-shots.txt" ] && break; sleep 0.1; done
  wineserver -k || true
  wineserver -w || true
' "$shots"
list="$shots/guide-shots.txt"
grep -q "^end 0" "$list" 2>/dev/null || { echo "the guide's screenshots were not all taken" >&2; exit 1; }
# Each line: name left top right bottom (screen pixels); keep that part.
while read -r name left top right bottom; do
  [ "$name" = end ] && continue
  convert "$shots/$name.bmp" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
    -strip "docs/guide/$name.png"
  echo "docs/guide/$name.png"
done < <(tr -d '\r' < "$list")
