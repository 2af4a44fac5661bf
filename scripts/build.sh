#!/usr/bin/env bash
# Configures and builds one tree: "native" (the core and its unit tests) or
# "win" (Quorvane.exe and the Windows-side tests, cross-compiled).
# Output goes to BUILD/build.log and is shown only when the build fails.
set -euo pipefail
root=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
kind=${1:?native or win}
build="$root/build/$kind"
mkdir -p "$build"
args=(-S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release)
[ "$kind" = win ] && args+=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake")
if ! { cmake "${args[@]}" && cmake --build "$build" -j"$(nproc)"; } >"$build/build.log" 2>&1; then
  tail -n 80 "$build/build.log" >&2
  echo "build of the $kind tree failed; full log: $build/build.log" >&2
  exit 1
fi
