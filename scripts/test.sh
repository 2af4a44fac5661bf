#!/usr/bin/env bash
# Installs what the tests need, builds both trees and runs every test:
# the core's unit tests natively and a short fuzz run, then the Windows-side
# tests under Wine 8,
# then the tray suites again under Wine 10 (a Debian 13 root, README.md).
# Prints one summary line per suite; the full output only on failure.
set -euo pipefail
root=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
cd "$root"
scripts/install-deps.sh

run_ctest() {  # name, build dir, extra ctest args...
  local name=$1 dir=$2; shift 2
  local log="$dir/ctest-$name.log"
  if ctest --test-dir "$dir" --output-on-failure --timeout 300 "$@" >"$log" 2>&1; then
    echo "$name: $(grep -E 'tests passed' "$log" | tail -n1)"
  else
    cat "$log" >&2
    echo "$name: FAILED (log: $log)" >&2
    return 1
  fi
}

scripts/build.sh native
run_ctest native build/native -j"$(nproc)"

# A short run of every fuzz target (AddressSanitizer, UndefinedBehaviorSanitizer),
# early: its own build catches a core interface its targets still use the old way.
scripts/fuzz.sh

scripts/build.sh win
scripts/setup-wine-prefix.sh build/win
export QUORVANE_WIN_BUILD="$root/build/win"
scripts/with-display.sh scripts/run-wine-tests.sh

# The tray suites (label "tray") again under Wine 10, whose UI Automation
# reads the Windows 11 shape of the stand-in tray; Wine 8 has none. Its
# Debian 13 root is built once and kept outside the tree; a root that cannot
# be built fails the run.
wine10_root=$(scripts/wine10-root.sh)
export QUORVANE_WINE10_ROOT="$wine10_root"
scripts/setup-wine-prefix.sh build/win
scripts/with-display.sh scripts/run-wine-tests.sh -L tray
unset QUORVANE_WINE10_ROOT
