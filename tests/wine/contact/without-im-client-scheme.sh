#!/usr/bin/env bash
# Runs a command in a copy of the cross build tree's Wine prefix in which no
# program handles the "aliim:" scheme, as on a machine without the IM client.
#   without-im-client-scheme.sh command [args...]
# Only the registry is copied; drive_c is the original's, reached through a
# link, so the copy costs next to nothing. The copy has its own wineserver:
# suites running meanwhile in the original prefix keep their scheme. Wine
# processes started through scripts/wine-env.sh (wine-run) land in the copy,
# which is removed afterwards.
set -euo pipefail
root=$(cd "$(dirname "$(readlink -f "$0")")/../../.." && pwd)
build=$(cd "${QUORVANE_WIN_BUILD:?}" && pwd)
original="$build/wineprefix"
[ -f "$original/system.reg" ] || { echo "no Wine prefix in $build (run scripts/setup-wine-prefix.sh)" >&2; exit 1; }

copy=$(mktemp -d "$build/wineprefix-no-aliim.XXXXXX")
cleanup() {
  WINEPREFIX="$copy" wineserver -k 2>/dev/null || true
  WINEPREFIX="$copy" wineserver -w 2>/dev/null || true
  rm -rf "$copy"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

cp "$original"/*.reg "$original/.update-timestamp" "$copy/"
ln -s "$original/drive_c" "$copy/drive_c"
mkdir "$copy/dosdevices"
ln -s ../drive_c "$copy/dosdevices/c:"
ln -s / "$copy/dosdevices/z:"

export QUORVANE_WINEPREFIX="$copy"
source "$root/scripts/wine-env.sh" "$build"
# Wine's services start with the first process; their output must not hold
# the caller's (CTest's) pipes open.
wine reg delete 'HKCR\aliim' /f >/dev/null 2>&1 || true
! wine reg query 'HKCR\aliim' >/dev/null 2>&1 || { echo "the aliim scheme is still registered" >&2; exit 1; }
"$@"
