#!/usr/bin/env bash
# Fonts: Wine's own faces (Tahoma and friends) and a CJK face behind the
# names Chinese Windows programs ask for.
set -euo pipefail
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp -f /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
reg=$(mktemp --suffix=.reg)
cat > "$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"SimSun"="WenQuanYi Micro Hei"
"NSimSun"="WenQuanYi Micro Hei"
"Microsoft YaHei"="WenQuanYi Micro Hei"
"Microsoft YaHei UI"="WenQuanYi Micro Hei"
REG
wine regedit /S "$reg" >/dev/null 2>&1
rm -f "$reg"
