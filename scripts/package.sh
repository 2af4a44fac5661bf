#!/usr/bin/env bash
# Builds Quorvane.exe and writes the release archive
# dist/Quorvane-<version>-win64.zip: the exe, the user guide (docs/使用说明.md,
# as Markdown with its screenshots and as plain text in UTF-8 with a
# byte-order mark) and SHA256SUMS.txt. The version is the one the program
# shows in its caption.
#   scripts/package.sh [--build-dir DIR] [--out DIR]
set -euo pipefail
root=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
build="$root/build/win"
out="$root/dist"
while [ $# -gt 0 ]; do
  case $1 in
    --build-dir) build=$(readlink -f "$2"); shift 2 ;;
    --out) out=$(readlink -f "$2"); shift 2 ;;
    *) echo "usage: $0 [--build-dir DIR] [--out DIR]" >&2; exit 2 ;;
  esac
done
"$root/scripts/install-deps.sh"

# Only the program: the tests of the tree are not part of a release.
mkdir -p "$build"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >"$build/package.log" 2>&1 ||
    { cat "$build/package.log" >&2; exit 1; }
fi
cmake --build "$build" --target Quorvane -j2 >>"$build/package.log" 2>&1 ||
  { tail -n 60 "$build/package.log" >&2; exit 1; }

version=$("$root/scripts/program-version.sh" "$build")
mkdir -p "$out"
zip="$out/Quorvane-$version-win64.zip"
python3 "$root/scripts/release_zip.py" "$build/src/app/window/Quorvane.exe" "$root/docs/使用说明.md" "$zip"
echo "$zip"
