#!/bin/sh
# Stops the tests' private PostgreSQL server in DIR (see start-postgres.sh).
set -u
[ $# -ge 1 ] || { echo "usage: stop-postgres.sh DIR" >&2; exit 2; }
DIR=$1
BIN=${TAVRAN_PG_BIN:-/usr/lib/postgresql/15/bin}
[ -d "$DIR/data" ] || exit 0
RUN=""
[ "$(id -u)" -eq 0 ] && RUN="runuser -u postgres --"
$RUN "$BIN/pg_ctl" -D "$DIR/data" -m fast -w stop >/dev/null 2>&1
rm -f "$DIR/port"
exit 0
