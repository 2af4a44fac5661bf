#!/usr/bin/env bash
# The portable core never includes windows.h: only the platform layer, the
# window code and the base's Windows-only wide-text helper may. Prints the
# offending files and fails when one does.
root=${1:-.}
cd "$root/src" || exit 1
bad=$(grep -rlE '#\s*include\s*[<"](windows|winuser|wininet|commctrl|shellapi|windowsx)\.h' \
        --include='*.h' --include='*.cpp' . | grep -vE '^\./(platform/win32/|app/window/|text/[a-z_]+_win32\.cpp$)' || true)
if [ -n "$bad" ]; then
  echo "windows headers included outside platform/win32 and app/window:"
  echo "$bad"
  exit 1
fi
exit 0
