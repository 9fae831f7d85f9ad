#!/bin/sh
# Starts a private CUPS scheduler with two PDF queues, "Etiket" and "Fis", for
# the printing tests. Everything lives in DIR (a folder of the build): its
# configuration, socket (DIR/sock), spool, cache, logs, and the PDFs each
# queue writes (DIR/pdf/<queue>). Programs reach it with CUPS_SERVER=DIR/sock;
# the machine's own scheduler and printers are never touched. Works as root
# or not. Safe to run again: a running private scheduler is kept.
# With --skip-code it exits 77 instead of 1 when it cannot, for CTest to count
# as skipped. tests/cups/stop-cups.sh DIR stops it.
set -eu

usage() { echo "usage: start-cups.sh DIR [--skip-code]" >&2; exit 2; }
[ $# -ge 1 ] || usage
DIR=$1
FAIL_CODE=1
[ "${2:-}" = "--skip-code" ] && FAIL_CODE=77

HERE=$(cd "$(dirname "$0")" && pwd)
QUEUES="Etiket Fis"
mkdir -p "$DIR"
DIR=$(cd "$DIR" && pwd)
SOCK=$DIR/sock
export CUPS_SERVER=$SOCK

fail() {
    echo "start-cups.sh: $*" >&2
    [ -f "$DIR/log/error_log" ] && tail -n 5 "$DIR/log/error_log" >&2
    exit "$FAIL_CODE"
}

answers() { lpstat -r 2>/dev/null | grep -qv 'not running'; }

[ -x /usr/sbin/cupsd ] || fail "/usr/sbin/cupsd is missing (package cups-daemon)"
command -v lpadmin >/dev/null || fail "lpadmin is missing (package cups-client)"
# A unix socket path is limited to 107 bytes.
[ ${#SOCK} -lt 100 ] || fail "the socket path $SOCK is too long; use a shorter build folder"

if [ -f "$DIR/cupsd.pid" ] && kill -0 "$(cat "$DIR/cupsd.pid")" 2>/dev/null && answers; then
    echo "The tests' scheduler is already running on $SOCK."
else
    # A fresh scheduler numbers its jobs from 1 again: old PDFs would clash.
    rm -rf "$DIR/conf" "$DIR/spool" "$DIR/cache" "$DIR/state" "$DIR/serverbin" "$DIR/pdf"
    mkdir -p "$DIR/conf/ppd" "$DIR/spool/tmp" "$DIR/cache" "$DIR/state" "$DIR/log" \
        "$DIR/serverbin/backend"
    # The system's filters and helpers, plus the tests' own backend. The
    # backend is private to its owner, so a root scheduler runs it as root.
    for sub in cgi-bin daemon driver filter monitor notifier; do
        [ -d "/usr/lib/cups/$sub" ] && ln -s "/usr/lib/cups/$sub" "$DIR/serverbin/$sub"
    done
    cp "$HERE/tavran-pdf-backend" "$DIR/serverbin/backend/tavran-pdf"
    chmod 0700 "$DIR/serverbin/backend/tavran-pdf"

    cat >"$DIR/conf/cupsd.conf" <<CONF
Listen $SOCK
LogLevel warn
MaxLogSize 1m
Browsing No
WebInterface No
DefaultAuthType None
ErrorPolicy abort-job
PreserveJobHistory No
PreserveJobFiles No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
    cat >"$DIR/conf/cups-files.conf" <<CONF
ServerRoot $DIR/conf
RequestRoot $DIR/spool
TempDir $DIR/spool/tmp
CacheDir $DIR/cache
StateDir $DIR/state
ServerBin $DIR/serverbin
ErrorLog $DIR/log/error_log
AccessLog $DIR/log/access_log
PageLog $DIR/log/page_log
FileDevice No
CONF
    if [ "$(id -u)" -ne 0 ]; then
        echo "SystemGroup $(id -gn)" >>"$DIR/conf/cups-files.conf"
    fi

    /usr/sbin/cupsd -f -c "$DIR/conf/cupsd.conf" -s "$DIR/conf/cups-files.conf" \
        </dev/null >>"$DIR/log/cupsd.out" 2>&1 &
    echo $! >"$DIR/cupsd.pid"
    tries=0
    until answers; do
        kill -0 "$(cat "$DIR/cupsd.pid")" 2>/dev/null || fail "cupsd stopped at start"
        tries=$((tries + 1))
        [ "$tries" -le 100 ] || fail "cupsd started but does not answer on $SOCK"
        sleep 0.1
    done
fi

for q in $QUEUES; do
    out="$DIR/pdf/$q"
    mkdir -p "$out"
    chmod 0755 "$out"
    lpadmin -p "$q" -v "tavran-pdf:$out" -P "$HERE/tavran-pdf.ppd" -E \
        || fail "lpadmin could not add queue $q"
    echo "$q: PDFs arrive in $out"
done
echo "CUPS_SERVER=$SOCK"
