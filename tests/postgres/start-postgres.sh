#!/bin/sh
# Starts a private PostgreSQL server for the central-database tests. It lives
# in DIR (a folder of the build): its cluster (DIR/data), socket folder,
# log, and DIR/port with the local TCP port it listens on (127.0.0.1 only,
# role "tavran", no password). As root the server runs as the unprivileged
# user "postgres". DIR/restart restarts it (the tests cut it in the middle of
# a booking); DIR/stop-start stop and start it again in place (an outage).
# Safe to run again: a running server is kept.
# With --skip-code it exits 77 instead of 1 when it cannot, for CTest to
# count as skipped. tests/postgres/stop-postgres.sh DIR stops it.
set -eu

usage() { echo "usage: start-postgres.sh DIR [--skip-code]" >&2; exit 2; }
[ $# -ge 1 ] || usage
DIR=$1
FAIL_CODE=1
[ "${2:-}" = "--skip-code" ] && FAIL_CODE=77

fail() {
    echo "start-postgres.sh: $*" >&2
    [ -f "$DIR/log" ] && tail -n 5 "$DIR/log" >&2
    rm -f "$DIR/port"
    exit "$FAIL_CODE"
}

BIN=${TAVRAN_PG_BIN:-/usr/lib/postgresql/15/bin}
for tool in initdb pg_ctl; do
    [ -x "$BIN/$tool" ] || fail "$BIN/$tool is missing (package postgresql-15)"
done

mkdir -p "$DIR"
DIR=$(cd "$DIR" && pwd)
RUN=""
if [ "$(id -u)" -eq 0 ]; then
    id postgres >/dev/null 2>&1 || fail "user postgres is missing (package postgresql-15)"
    RUN="runuser -u postgres --"
fi
as_server() { $RUN "$@"; }

if [ -f "$DIR/port" ] && as_server "$BIN/pg_ctl" -D "$DIR/data" status >/dev/null 2>&1; then
    echo "The tests' PostgreSQL server is already running on port $(cat "$DIR/port")."
    exit 0
fi

free_port() {
    python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

rm -rf "$DIR/data" "$DIR/sock" "$DIR/port" "$DIR/log" "$DIR/restart" "$DIR/stop" "$DIR/start"
mkdir -p "$DIR/data" "$DIR/sock"
[ -n "$RUN" ] && chown postgres "$DIR" "$DIR/data" "$DIR/sock"
as_server "$BIN/initdb" -D "$DIR/data" -U tavran --auth=trust -E UTF8 --locale=C.UTF-8 \
    >"$DIR/initdb.log" 2>&1 || fail "initdb failed: $(tail -n 3 "$DIR/initdb.log")"

PORT=$(free_port) || fail "no free local port"
OPTIONS="-p $PORT -k $DIR/sock -c listen_addresses=127.0.0.1 -c fsync=off"
as_server "$BIN/pg_ctl" -D "$DIR/data" -l "$DIR/log" -o "$OPTIONS" -w -t 30 start >/dev/null \
    || fail "the server did not start"
as_server "$BIN/psql" -h 127.0.0.1 -p "$PORT" -U tavran -d postgres -qc "CREATE DATABASE tavran" \
    >/dev/null || fail "cannot create the database"

cat >"$DIR/restart" <<SCRIPT
#!/bin/sh
# Restarts the tests' server in place (same port, same data).
exec $RUN "$BIN/pg_ctl" -D "$DIR/data" -l "$DIR/log" -o "$OPTIONS" -w -t 30 -m fast restart
SCRIPT
for action in stop start; do
    cat >"$DIR/$action" <<SCRIPT
#!/bin/sh
exec $RUN "$BIN/pg_ctl" -D "$DIR/data" -l "$DIR/log" -o "$OPTIONS" -w -t 30 -m fast $action
SCRIPT
done
chmod 0755 "$DIR/restart" "$DIR/stop" "$DIR/start"
echo "$PORT" >"$DIR/port"
echo "The tests' PostgreSQL server runs on 127.0.0.1:$PORT."
