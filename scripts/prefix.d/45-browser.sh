#!/usr/bin/env bash
# The stand-in browser of the build tree opens http and https addresses, so
# tests can see which page the program asked for.
set -euo pipefail
exe="$QUORVANE_WIN_BUILD/tests/tools/browser/standin_browser.exe"
win="Z:${exe//\//\\}"
for scheme in http https; do
  wine reg add "HKCR\\$scheme\\shell\\open\\command" /ve /d "\"$win\" \"%1\"" /f >/dev/null 2>&1
done
