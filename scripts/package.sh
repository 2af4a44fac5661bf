#!/usr/bin/env bash
# Builds Quorvane.exe and writes the release archive
# dist/Quorvane-<version>-win64.zip (scripts/release_zip.py lists what it
# holds, in which encodings) and beside it the archive's own SHA-256,
# Quorvane-<version>-win64.zip.sha256: the sums inside an archive cannot vouch
# for the archive. The version is the one the program shows in its caption.
# The archive's exe is a stripped copy of the one built; the third-party
# notices are read from this machine's copyright files for what that build
# linked (scripts/third_party_notices.py).
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
exe="$build/src/app/window/Quorvane.exe"

version=$("$root/scripts/program-version.sh" "$build")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Stripped, the copy keeps the link's time stamp (strip would put in its own
# time, and two packages of one tree would differ).
pe=$(od -An -t u4 -j 60 -N 4 "$exe" | tr -d ' ')
linked=$(od -An -t u4 -j $((pe + 8)) -N 4 "$exe" | tr -d ' ')
SOURCE_DATE_EPOCH=$linked x86_64-w64-mingw32-strip -o "$work/Quorvane.exe" "$exe"
cached() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
python3 "$root/scripts/third_party_notices.py" "$exe" \
  "$(cached UNICODE_CASE_FOLDING)" "$(cached UNICODE_DATA)" >"$work/notices.txt"
# Every entry is dated by the last commit, so the same tree gives the same archive.
time=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || date +%s)}

mkdir -p "$out"
name="Quorvane-$version-win64.zip"
python3 "$root/scripts/release_zip.py" --version "$version" --exe "$work/Quorvane.exe" \
  --guide "$root/docs/使用说明.md" --ini "$root/docs/Quorvane.ini.example" \
  --terms "$root/docs/许可与声明.txt" --notices "$work/notices.txt" \
  --changes "$root/docs/更新说明.txt" --time "$time" "$out/$name"
(cd "$out" && sha256sum "$name" >"$name.sha256")
echo "$out/$name"
