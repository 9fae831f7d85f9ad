#!/bin/sh
# Starts a local CUPS scheduler with two PDF queues, "Etiket" and "Fis", for
# the printing tests. Safe to run again: a running scheduler and existing
# queues are kept. Each queue writes its PDFs into a folder of its own,
# $TAVRAN_CUPS_PDF_DIR/<queue> (default /var/spool/tavran-pdf/<queue>), so the
# tests can tell which queue a page arrived on.
# With --skip-code it exits 77 instead of 1 when it cannot, for CTest to
# count as skipped.
set -eu

FAIL_CODE=1
[ "${1:-}" = "--skip-code" ] && FAIL_CODE=77

QUEUES="Etiket Fis"
OUT_ROOT=${TAVRAN_CUPS_PDF_DIR:-/var/spool/tavran-pdf}
PPD=lsb/usr/cups-pdf/CUPS-PDF_opt.ppd

fail() {
    echo "start-cups.sh: $*" >&2
    exit "$FAIL_CODE"
}

queues_ready() {
    for q in $QUEUES; do
        lpstat -p "$q" >/dev/null 2>&1 || return 1
        [ -d "$OUT_ROOT/$q" ] || return 1
    done
}

scheduler_running() {
    lpstat -r 2>/dev/null | grep -q 'is running' && ! lpstat -r 2>/dev/null | grep -q 'not running'
}

if [ "$(id -u)" -ne 0 ]; then
    if scheduler_running && queues_ready; then
        echo "CUPS is running with the queues $QUEUES (PDFs in $OUT_ROOT/<queue>)."
        exit 0
    fi
    fail "cannot start cupsd or add queues without root; printing tests will be skipped"
fi

[ -x /usr/sbin/cupsd ] || fail "/usr/sbin/cupsd is missing (package cups)"
[ -x /usr/lib/cups/backend/cups-pdf ] || fail "the cups-pdf backend is missing (package printer-driver-cups-pdf)"

if ! scheduler_running; then
    /usr/sbin/cupsd || fail "cupsd did not start"
    tries=0
    until scheduler_running; do
        tries=$((tries + 1))
        [ "$tries" -le 100 ] || fail "cupsd started but does not answer"
        sleep 0.1
    done
fi

for q in $QUEUES; do
    dir="$OUT_ROOT/$q"
    mkdir -p "$dir"
    chmod 1777 "$dir"
    # cups-pdf reads /etc/cups/cups-pdf-<name>.conf for a device cups-pdf:/<name>.
    conf="/etc/cups/cups-pdf-$q.conf"
    printf 'Out %s\nAnonDirName %s\nUserUMask 0022\nGrp lpadmin\n' "$dir" "$dir" >"$conf.tmp"
    mv "$conf.tmp" "$conf"
    if ! lpstat -p "$q" >/dev/null 2>&1; then
        lpadmin -p "$q" -v "cups-pdf:/$q" -E -m "$PPD" || fail "lpadmin could not add queue $q"
    fi
    echo "$q: PDFs arrive in $dir"
done
