#!/usr/bin/env bash
# Configures and builds one tree: "native" (the core and its unit tests) or
# "win" (Quorvane.exe and the Windows-side tests, cross-compiled). Targets
# named after the kind are built alone, with what they need (the demo builds
# the exe and its driver only: the whole cross tree takes minutes more).
# Output goes to BUILD/build.log and is shown only when the build fails.
#   scripts/build.sh native|win [TARGET...]
set -euo pipefail
root=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
kind=${1:?native or win}
shift
targets=()
[ $# -gt 0 ] && targets=(--target "$@")
build="$root/build/$kind"
mkdir -p "$build"
args=(-S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release)
[ "$kind" = win ] && args+=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake")
if ! { cmake "${args[@]}" && cmake --build "$build" -j"$(nproc)" "${targets[@]}"; } >"$build/build.log" 2>&1; then
  tail -n 80 "$build/build.log" >&2
  echo "build of the $kind tree failed; full log: $build/build.log" >&2
  exit 1
fi
