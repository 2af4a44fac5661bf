# Sourced: the environment every Wine process of one build tree runs in.
# Usage: source scripts/wine-env.sh BUILD_DIR
# QUORVANE_CODEPAGE=default keeps Wine's own ANSI code page (1252);
# otherwise processes run with code page 936, as on the users' systems.
# QUORVANE_WINEPREFIX names another prefix than the tree's own (a test's copy).
# QUORVANE_WINE10_ROOT names the Debian 13 root of scripts/wine10-root.sh:
# wine, wineserver and wineboot are then its Wine 10 (scripts/wine10/), with
# a prefix of its own.
_qv_build=$(cd "${1:?build dir}" && pwd)
if [ -n "${QUORVANE_WINE10_ROOT:-}" ]; then
  _qv_wine10="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine10"
  case ":$PATH:" in *":$_qv_wine10:"*) ;; *) export PATH="$_qv_wine10:$PATH" ;; esac
  export WINEPREFIX="${QUORVANE_WINEPREFIX:-$_qv_build/wine10prefix}"
  unset _qv_wine10
else
  export WINEPREFIX="${QUORVANE_WINEPREFIX:-$_qv_build/wineprefix}"
fi
export HOME="$_qv_build/winehome"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
if [ "${QUORVANE_CODEPAGE:-936}" = "default" ]; then
  export LC_ALL=C.UTF-8
  unset LOCPATH
else
  export LOCPATH="$_qv_build/locale"
  { export LC_ALL=zh_CN.UTF-8; } 2>/dev/null  # bash itself cannot load it; Wine can
fi
unset _qv_build
