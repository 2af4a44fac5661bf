#!/usr/bin/env bash
# Builds both trees and runs every benchmark, printing its figures. Each
# benchmark measures its own baseline in the same run and prints the ratio.
# Not part of the tests: timings depend on the machine.
#   scripts/bench.sh            everything (native, then under Wine)
#   scripts/bench.sh native     the native benchmarks only
#   scripts/bench.sh wine       the Wine benchmarks only
# QUORVANE_BASELINE_EXE=/path/to/Quorvane.exe also measures that build's
# whole search and 10 000-row fill (e.g. main's), beside this tree's;
# QUORVANE_BASELINE_COMMIT=COMMIT measures that commit's page job beside
# this tree's.
set -euo pipefail
root=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
cd "$root"
part=${1:-all}
win="$root/build/win"

native() {
  echo "== page extraction: our regular expressions against std::wregex (build/native/bench/regex_bench)"
  build/native/bench/regex_bench
  echo
  echo "== the worker's page job against memmem and iconv, each variant alone (build/native/bench/page_pipeline_bench)"
  build/native/bench/page_pipeline_bench ${QUORVANE_BASELINE_COMMIT:+--baseline "$(scripts/page-pipeline-baseline.sh "$QUORVANE_BASELINE_COMMIT")"}
  echo
  echo "== encodings, native port (build/native/bench/encoding_bench)"
  build/native/bench/encoding_bench
  echo
  echo "== the grid's CSV export of 10000 rows, native port (build/native/bench/export_bench)"
  build/native/bench/export_bench
  echo
}

# Runs under one display and one wineserver, ended afterwards.
wine_part() {
  export QUORVANE_WIN_BUILD="$win"
  source scripts/wine-env.sh "$win"
  wineserver -p
  wine cmd /c exit >/dev/null 2>&1 || true
  trap 'wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true' EXIT
  local benchmarks="$win/tests/wine/benchmarks"
  echo "== encodings under Wine: the core through MultiByteToWideChar / WideCharToMultiByte (encoding_bench.exe)"
  wine "$benchmarks/encoding_bench.exe"
  echo
  echo "== the grid's CSV export of 10000 rows under Wine (export_bench.exe)"
  wine "$benchmarks/export_bench.exe"
  echo
  echo "== grid painting and an in-process fill under Wine (grid_benchmark.exe)"
  wine "$benchmarks/grid_benchmark.exe"
  echo
  echo "== Quorvane.exe filling 10000 rows from a search of the substitute marketplace (search_fill_benchmark.exe)"
  local shops="$win/bench-shops.tsv"
  python3 tests/wine/benchmarks/bulk_shops.py "$shops" 10000
  tests/services/with-marketplace.sh --shops "$shops" --no-delay -- \
    wine "$benchmarks/search_fill_benchmark.exe" 170 "${QUORVANE_BASELINE_EXE:+Z:$QUORVANE_BASELINE_EXE}"
  echo
  echo "== a whole search (2000 shops: 100 result pages, 2000 presence requests) against a minimal WinInet client"
  echo "   making the same requests (whole_search_benchmark.exe)"
  local search_shops="$win/bench-search-shops.tsv" arrivals="$win/bench-arrivals.log"
  python3 tests/wine/benchmarks/bulk_shops.py "$search_shops" 2000 benchsearch
  rm -f "$arrivals"
  tests/services/with-marketplace.sh --shops "$search_shops" --no-delay --arrival-log "$arrivals" -- \
    wine "$benchmarks/whole_search_benchmark.exe" "$arrivals" "${QUORVANE_BASELINE_EXE:+Z:$QUORVANE_BASELINE_EXE}"
}

case $part in
  all | native | wine) ;;
  wine-inside-display) wine_part; exit ;;
  *) echo "usage: $0 [native|wine]" >&2; exit 2 ;;
esac
if [ "$part" != wine ]; then
  scripts/build.sh native
  native
fi
if [ "$part" != native ]; then
  scripts/build.sh win
  scripts/setup-wine-prefix.sh build/win
  scripts/with-display.sh "$0" wine-inside-display
fi
