#!/usr/bin/env bash
# A crashing test program must fail at once: Wine's default crash debugger
# would keep the test runner's output pipe open and hang the whole run.
set -euo pipefail
key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug'
wine reg add "$key" /v Debugger /d 'no-crash-debugger.exe' /f >/dev/null 2>&1
wine reg add "$key" /v Auto /d 1 /f >/dev/null 2>&1
