#!/usr/bin/env bash
# Makes (once) the Wine prefix of a cross build tree: a Chinese locale for code
# page 936, CJK fonts, then every step in scripts/prefix.d in name order.
# Idempotent: a stamp records the steps already applied.
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
build=$(cd "${1:?build dir}" && pwd)
source "$here/wine-env.sh" "$build"
mkdir -p "$HOME"

if [ ! -f "$build/locale/zh_CN.UTF-8/LC_CTYPE" ]; then
  mkdir -p "$build/locale"
  localedef -i zh_CN -f UTF-8 "$build/locale/zh_CN.UTF-8" >/dev/null 2>&1 || true
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi

export QUORVANE_WIN_BUILD="$build"
stamp="$WINEPREFIX/.quorvane-steps"
touch "$stamp"
for step in "$here"/prefix.d/*.sh; do
  [ -e "$step" ] || continue
  sum=$(sha1sum "$step" | cut -c1-40)
  grep -q "$sum" "$stamp" && continue
  bash "$step" "$build"
  echo "$sum $(basename "$step")" >> "$stamp"
done
wineserver -w
