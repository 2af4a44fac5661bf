#!/usr/bin/env bash
# Fonts: Wine's own faces (Tahoma and friends) and a CJK face behind the
# names Chinese Windows programs ask for.
set -euo pipefail
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
# Wine's faces come with the package fonts-wine, which libwine only
# recommends. Without Marlett every caption button reads "0 1 r", so a
# missing package stops the setup here rather than in a screenshot.
wine_fonts=/usr/share/wine/fonts
if [ ! -f "$wine_fonts/marlett.ttf" ]; then
  echo "10-fonts: $wine_fonts/marlett.ttf is missing (install the package fonts-wine)" >&2
  exit 1
fi
cp -f "$wine_fonts"/*.ttf "$fonts/"
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
