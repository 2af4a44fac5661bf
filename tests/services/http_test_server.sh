#!/usr/bin/env bash
# Starts or stops the scripted HTTP(S) test server in the background.
# Usage: http_test_server.sh start STATE_DIR CERT_DIR | stop STATE_DIR
# "start" returns once the server has written its ports (STATE_DIR/ports.txt).
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
action=${1:?start or stop}
state=${2:?state directory}

stop() {
  [ -f "$state/pid" ] || return 0
  local pid
  pid=$(cat "$state/pid")
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null || true
  rm -f "$state/pid"
}

case $action in
  start)
    certs=${3:?certificate directory}
    mkdir -p "$state"
    stop
    rm -rf "$state/ports.txt" "$state/stalled" "$state/requests.log"
    # Its own session and no inherited output, so that ctest does not wait
    # for the server when the starting step ends.
    setsid python3 "$here/http_test_server.py" --state "$state" \
      --cert "$certs/server.pem" --key "$certs/server.key" \
      </dev/null >"$state/server.log" 2>&1 &
    echo $! > "$state/pid"
    for _ in $(seq 100); do
      [ -s "$state/ports.txt" ] && exit 0
      sleep 0.1
    done
    cat "$state/server.log" >&2
    stop
    exit 1
    ;;
  stop)
    stop
    ;;
  *)
    echo "usage: $0 start STATE_DIR CERT_DIR | stop STATE_DIR" >&2
    exit 2
    ;;
esac
