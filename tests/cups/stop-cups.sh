#!/bin/sh
# Stops the private scheduler tests/cups/start-cups.sh started in DIR.
set -eu
[ $# -eq 1 ] || { echo "usage: stop-cups.sh DIR" >&2; exit 2; }
pidfile=$1/cupsd.pid
[ -f "$pidfile" ] || exit 0
pid=$(cat "$pidfile")
if kill "$pid" 2>/dev/null; then
    tries=0
    while kill -0 "$pid" 2>/dev/null && [ "$tries" -lt 50 ]; do
        tries=$((tries + 1))
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && kill -9 "$pid"
fi
rm -f "$pidfile"
