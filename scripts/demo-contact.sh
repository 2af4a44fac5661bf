#!/usr/bin/env bash
# A search followed by a contact round, against the substitute marketplace and
# the stand-in IM client registered in the test prefix for "aliim:".
# With a working DISPLAY the program stays up for you to use: search for
# "contactround" in 浙江, tick rows with the space bar, press 联系选中. Without
# one, the contact suite's end-to-end test does exactly that under a private
# Xvfb. Either way the chat links the IM client received are printed.
set -euo pipefail
root=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
cd "$root"
scripts/install-deps.sh
scripts/build.sh win contact_ui_tests  # with the program and the stand-ins it needs
scripts/setup-wine-prefix.sh build/win
export QUORVANE_WIN_BUILD="$root/build/win"
shops="$root/tests/wine/contact/contact_shops.tsv"
launches="$QUORVANE_WIN_BUILD/tests/tools/im_client/launches.log"
rm -f "$launches"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  tests/services/with-marketplace.sh --shops "$shops" -- \
    scripts/wine-run "$QUORVANE_WIN_BUILD/src/app/window/Quorvane.exe" || true
else
  scripts/with-display.sh bash -c '
    source scripts/wine-env.sh "$QUORVANE_WIN_BUILD"
    wineserver -p; wine cmd /c exit >/dev/null 2>&1 || true
    tests/services/with-marketplace.sh --shops "$0" -- scripts/wine-run \
      "$QUORVANE_WIN_BUILD/tests/wine/contact/contact_ui_tests.exe" \
      --gtest_filter=ContactSelected.ChatsWithTheTickedSellersInTickingOrderAndRecordsThem 2>&1 |
      grep -E "^\[ *(OK|FAILED) *\]" || true
    wineserver -k; wineserver -w' "$shops"
  mkdir -p shots
  convert "$QUORVANE_WIN_BUILD/shots/contact-selected-done.bmp" shots/contact-demo.png 2>/dev/null &&
    echo "screenshot: shots/contact-demo.png"
fi
echo "chat links the IM client received, in launch order:"
if [ -s "$launches" ]; then sort "$launches" | cut -d" " -f2-; else echo "(none)"; fi
