#!/usr/bin/env bash
# Makes the release archive from a built cross tree into a temporary folder
# and checks it (tests/package/check_release.py).
#   package_test.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$(readlink -f "$0")")/../.." && pwd)
build=${1:?build dir}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
zip=$("$root/scripts/package.sh" --build-dir "$build" --out "$out" | tail -n 1)
python3 "$root/tests/package/check_release.py" "$zip" "$build/src/app/window/Quorvane.exe" "$root/docs/使用说明.md"
# The sums once more through the system's own tool, as a user would check them.
mkdir "$out/unpacked"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip" "$out/unpacked"
(cd "$out/unpacked" && sha256sum --check --quiet SHA256SUMS.txt)
