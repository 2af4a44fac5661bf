#!/usr/bin/env bash
# The long soak: one Quorvane.exe under Wine through 200 search start/stop
# cycles, 10 complete searches, 10 contact rounds and 10 batch rounds beside
# the substitute marketplace, then its handles, GDI and USER objects, threads
# and private bytes against their values after the first cycle (the figures
# in the README). The test command runs the short form.
#   scripts/soak.sh             build the cross tree, then soak
#   scripts/soak.sh --seed=N    other stop moments
set -euo pipefail
root=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
cd "$root"
win="$root/build/win"

if [ "${1:-}" = inside-display ]; then
  shift
  export QUORVANE_WIN_BUILD="$win"
  source scripts/wine-env.sh "$win"
  wineserver -p
  wine cmd /c exit >/dev/null 2>&1 || true
  trap 'wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true' EXIT
  tests/services/with-marketplace.sh --shops tests/wine/soak/soak_shops.tsv -- \
    wine "$win/tests/wine/soak/soak_tests.exe" --long "$@"
  exit
fi

scripts/install-deps.sh
scripts/build.sh win
scripts/setup-wine-prefix.sh build/win
scripts/with-display.sh "$0" inside-display "$@"
