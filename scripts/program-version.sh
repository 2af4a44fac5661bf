#!/usr/bin/env bash
# Prints the version the program shows in its caption ("QuorvaneV1.6" gives
# 1.6), from the version header the cross build generates out of the
# project's one version (CMakeLists.txt at the top).
#   scripts/program-version.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
build=${1:-$root/build/win}
header="$build/src/app/window/generated/app/window/program_version.h"
version=$(sed -n 's/^#define QUORVANE_CAPTION_VERSION "\(.*\)"$/\1/p' "$header" 2>/dev/null || true)
[ -n "$version" ] || { echo "program-version: no caption version in $header (is the tree configured?)" >&2; exit 1; }
echo "$version"
