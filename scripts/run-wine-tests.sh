#!/usr/bin/env bash
# Runs the cross tree's tests under one wineserver (kept alive for the run,
# ended afterwards) on the current display. Called by test.sh; extra
# arguments go to ctest (e.g. -R tray to run the suites that match).
set -euo pipefail
root=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
build=${QUORVANE_WIN_BUILD:?}
source "$root/scripts/wine-env.sh" "$build"
# Wine 10 of the Debian 13 root when QUORVANE_WINE10_ROOT names it.
wine=wine
[ -z "${QUORVANE_WINE10_ROOT:-}" ] || wine=wine10
log="$build/ctest-$wine.log"
# Start Wine's services first: a persistent wineserver with nothing started
# holds ctest's output pipe open.
wineserver -p
wine cmd /c exit >/dev/null 2>&1 || true
# Each test program's stand-ins end with it (scripts/wine-run).
export QUORVANE_END_STANDINS=1
# A test that fails is run once more at once and counts only if it fails
# again: Wine now and then loses a process start (a suite ended in 0.01 s
# with no output), and the first chat link a fresh prefix hands to its
# handler may take longer than the 15 s a suite waits. Each retried test is
# named below, so a flake is seen rather than hidden.
status=0
ctest --test-dir "$build" --output-on-failure --timeout 300 --repeat until-pass:2 "$@" >"$log" 2>&1 || status=$?
grep -E '^ *[0-9]+/[0-9]+ Test +#[0-9]+: .*\*\*\*(Failed|Exception|Timeout)' "$log" | sed 's/^/retried: /' || true
wineserver -k || true
wineserver -w || true
if [ $status -eq 0 ]; then
  echo "$wine: $(grep -E 'tests passed' "$log" | tail -n1)"
else
  cat "$log" >&2
  echo "$wine: FAILED (log: $log)" >&2
fi
exit $status
