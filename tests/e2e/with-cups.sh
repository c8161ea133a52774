#!/usr/bin/env bash
# Runs a command against a CUPS scheduler of its own, so that printing goes through a real print
# system without touching the machine's printers or its scheduler.
#
#   with-cups.sh MODE COMMAND...   MODE: default   a queue keeping its documents, the default
#                                          nodefault the same queue, no default destination
#                                          reject    the default queue refusing every job
#                                          none      no scheduler (CUPS_SERVER names a closed port)
#
# The command sees CUPS_SERVER, VARMI_CUPS_MODE and VARMI_CUPS_SPOOL (where the scheduler keeps the
# documents it took, as d<job>-001 files). All lives in a temporary folder removed at the end.
set -euo pipefail
mode=$1
shift
PATH=$PATH:/usr/sbin
work=$(mktemp -d "${TMPDIR:-/tmp}/varmi-cups.XXXXXX")
pid=""
trap '{ kill "$pid" && wait "$pid"; } 2>/dev/null || true; rm -rf "$work"' EXIT

listening() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
port=$((20000 + RANDOM % 20000))
while listening $port; do port=$((20000 + RANDOM % 20000)); done
export CUPS_SERVER="127.0.0.1:$port" VARMI_CUPS_SPOOL="$work/spool" VARMI_CUPS_MODE="$mode"

if [ "$mode" != none ]; then
    mkdir -p "$work"/{etc,spool/tmp,cache,state,log}
    chmod 755 "$work" "$work/etc"
    chmod 1777 "$work/spool/tmp"
    printf '%s\n' "Listen 127.0.0.1:$port" "LogLevel warn" "PreserveJobFiles Yes" \
        "PreserveJobHistory Yes" "Browsing No" "WebInterface No" "DefaultAuthType None" \
        "<Location />" "Order allow,deny" "Allow 127.0.0.1" "</Location>" \
        "<Policy default>" "<Limit All>" "Order deny,allow" "</Limit>" "</Policy>" \
        >"$work/etc/cupsd.conf"
    printf '%s\n' "ServerRoot $work/etc" "RequestRoot $work/spool" "TempDir $work/spool/tmp" \
        "CacheDir $work/cache" "StateDir $work/state" "ErrorLog $work/log/error_log" \
        "AccessLog $work/log/access_log" "PageLog $work/log/page_log" "FileDevice Yes" \
        >"$work/etc/cups-files.conf"
    cupsd -f -c "$work/etc/cupsd.conf" -s "$work/etc/cups-files.conf" &
    pid=$!
    for _ in $(seq 100); do listening $port && break || sleep 0.1; done
    lpadmin -h "$CUPS_SERVER" -p varmi_test -E -v file:///dev/null -m raw 2>/dev/null
    [ "$mode" = nodefault ] || lpadmin -h "$CUPS_SERVER" -d varmi_test
    [ "$mode" != reject ] || cupsreject -h "$CUPS_SERVER" varmi_test
fi

status=0
"$@" || status=$?
[ $status -eq 0 ] || tail -n 30 "$work/log/error_log" >&2 2>/dev/null || true
exit $status
