#!/usr/bin/env bash
# Prints the version the program shows in its caption ("QuorvaneV1.6" gives
# 1.6): from the version header the cross build generates when the project
# sets its version, otherwise from the caption in the window's layout.
#   scripts/program-version.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
build=${1:-$root/build/win}
generated="$build/src/app/window/generated/app/window/program_version.h"
if [ -f "$generated" ]; then
  version=$(sed -n 's/^#define QUORVANE_CAPTION_VERSION "\(.*\)"$/\1/p' "$generated")
else
  version=$(sed -n 's/.*kCaption = "QuorvaneV\([^"]*\)";.*/\1/p' "$root/src/app/window/main_window_layout.h")
fi
[ -n "$version" ] || { echo "program-version: no version found" >&2; exit 1; }
echo "$version"
