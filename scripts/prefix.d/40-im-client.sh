#!/usr/bin/env bash
# The stand-in IM client of the build tree handles the "aliim:" scheme, as
# the marketplace's client does once installed.
set -euo pipefail
exe="$QUORVANE_WIN_BUILD/tests/tools/im_client/standin_im_client.exe"
win="Z:${exe//\//\\}"
wine reg add 'HKCR\aliim' /ve /d "URL:aliim Protocol" /f >/dev/null 2>&1
wine reg add 'HKCR\aliim' /v "URL Protocol" /t REG_SZ /d "" /f >/dev/null 2>&1
wine reg add 'HKCR\aliim\shell\open\command' /ve /d "\"$win\" \"%1\"" /f >/dev/null 2>&1
