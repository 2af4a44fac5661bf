#!/usr/bin/env bash
# Makes the release archive from a built cross tree into a temporary folder,
# checks it (tests/package/check_release.py), makes it once more to see the
# same bytes, and unpacks it with Info-ZIP's unzip, which reads the Unicode
# Path field as 7-Zip and WinRAR do, to check the sums as a user would.
#   package_test.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$(readlink -f "$0")")/../.." && pwd)
build=${1:?build dir}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
zip=$("$root/scripts/package.sh" --build-dir "$build" --out "$out/first" | tail -n 1)
python3 "$root/tests/package/check_release.py" "$zip" "$build/src/app/window/Quorvane.exe" "$root/docs"

again=$("$root/scripts/package.sh" --build-dir "$build" --out "$out/again" | tail -n 1)
cmp "$zip" "$again" || { echo "FAILED: the same tree made two different archives" >&2; exit 1; }

(cd "$(dirname "$zip")" && sha256sum --check --quiet "$(basename "$zip").sha256")
mkdir "$out/unpacked"
LC_ALL=C.UTF-8 unzip -q "$zip" -d "$out/unpacked"
folder=$(basename "$zip" -win64.zip)
for name in 使用说明.txt 许可与声明.txt 更新说明.txt; do
  [ -f "$out/unpacked/$folder/$name" ] || { echo "FAILED: unzip did not make $folder/$name" >&2; exit 1; }
done
(cd "$out/unpacked/$folder" && sha256sum --check --quiet SHA256SUMS.txt)
echo "release archive unpacked by unzip: names and sums ok"
