#!/usr/bin/env bash
# Builds bench/page_pipeline_bench.cpp of this tree against the core of an
# earlier commit, for the benchmark's --baseline: the same measurement of
# the worker's page job as that commit did it, in the same run.
#   scripts/page-pipeline-baseline.sh COMMIT   prints the program's path
set -euo pipefail
root=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
commit=$(git -C "$root" rev-parse --short "${1:?a commit}")
dir="$root/build/baseline-$commit"
if [ ! -d "$dir/tree" ]; then
  mkdir -p "$dir/tree"
  git -C "$root" archive "$commit" | tar -x -C "$dir/tree"
fi
cmake -S "$dir/tree" -B "$dir/native" -G Ninja -DCMAKE_BUILD_TYPE=Release >"$dir/build.log" 2>&1
cmake --build "$dir/native" --target quorvane_core quorvane_platform >>"$dir/build.log" 2>&1
c++ -std=c++20 -O3 -DNDEBUG -I"$dir/tree/src" -I"$root/bench" "$root/bench/page_pipeline_bench.cpp" \
  "$dir/native/src/libquorvane_core.a" "$dir/native/src/libquorvane_platform.a" "$dir/native/src/libquorvane_core.a" \
  -o "$dir/page_pipeline_bench" >>"$dir/build.log" 2>&1
echo "$dir/page_pipeline_bench"
