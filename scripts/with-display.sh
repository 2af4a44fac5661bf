#!/usr/bin/env bash
# Runs a command with an X display: the current one when DISPLAY works,
# otherwise a private Xvfb that is stopped again afterwards.
set -euo pipefail
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$@"
fi
fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -f "$fdfile"' EXIT
for _ in $(seq 100); do
  [ -s "$fdfile" ] && break
  sleep 0.05
done
export DISPLAY=":$(head -n1 "$fdfile")"
"$@"
