#!/usr/bin/env bash
# Runs a command beside a fresh substitute marketplace on loopback ports the
# system chooses, and stops the marketplace afterwards whatever happens.
#   with-marketplace.sh [marketplace options] -- command [args...]
# The command sees QUORVANE_SEARCH_HOST and QUORVANE_PRESENCE_HOST (what the
# program reads), QUORVANE_MARKETPLACE_LOG (the request log) and
# QUORVANE_MARKETPLACE_HOLD (create it to hold answers, delete it to release
# them) and QUORVANE_MARKETPLACE_MODE (write a mode name into it to make the
# search service hostile; see hostile_pages.py). The certificate is the test CA's server certificate of the cross
# build tree named by QUORVANE_WIN_BUILD.
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
options=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do options+=("$1"); shift; done
[ "${1:-}" = "--" ] && shift
[ $# -gt 0 ] || { echo "usage: $0 [marketplace options] -- command..." >&2; exit 2; }
ca="${QUORVANE_WIN_BUILD:?}/testca"

work=$(mktemp -d "${TMPDIR:-/tmp}/marketplace.XXXXXX")
server=
cleanup() {
  if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

python3 "$here/marketplace.py" --cert "$ca/server.pem" --key "$ca/server.key" \
  --search-port 0 --presence-port 0 --ports-file "$work/ports" --log "$work/requests.log" \
  --hold-file "$work/hold" --mode-file "$work/mode" "${options[@]}" &
server=$!
for _ in $(seq 200); do
  [ -s "$work/ports" ] && break
  kill -0 "$server" 2>/dev/null || { echo "marketplace did not start" >&2; exit 1; }
  sleep 0.05
done
[ -s "$work/ports" ] || { echo "marketplace did not report its ports" >&2; exit 1; }
export QUORVANE_SEARCH_HOST="127.0.0.1:$(awk '$1 == "search" {print $2}' "$work/ports")"
export QUORVANE_PRESENCE_HOST="127.0.0.1:$(awk '$1 == "presence" {print $2}' "$work/ports")"
export QUORVANE_MARKETPLACE_LOG="$work/requests.log"
export QUORVANE_MARKETPLACE_HOLD="$work/hold"
export QUORVANE_MARKETPLACE_MODE="$work/mode"
: > "$QUORVANE_MARKETPLACE_LOG"
status=0
"$@" || status=$?
exit $status
