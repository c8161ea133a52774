#!/usr/bin/env bash
# Runs a command against a CUPS scheduler of its own, so that printing goes through a real print
# system without touching the machine's printers or its scheduler.
#
#   with-cups.sh default   COMMAND...  a queue that keeps its documents, as the default destination
#   with-cups.sh nodefault COMMAND...  the same queue, but no default destination
#   with-cups.sh none      COMMAND...  no scheduler at all (CUPS_SERVER names a closed port)
#
# The command sees CUPS_SERVER (127.0.0.1:port) and VARMI_CUPS_SPOOL (where the scheduler keeps
# the documents submitted to it, as d<job>-001 files). Everything lives in a temporary folder that
# is removed at the end; the scheduler is stopped however the command ends.
set -euo pipefail
mode=$1
shift
cupsd=$(command -v cupsd || echo /usr/sbin/cupsd)
lpadmin=$(command -v lpadmin || echo /usr/sbin/lpadmin)
work=$(mktemp -d "${TMPDIR:-/tmp}/varmi-cups.XXXXXX")
pid=""
cleanup() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# A port in the dynamic range that nothing listens on.
free_port() {
    local port
    for _ in $(seq 50); do
        port=$((20000 + RANDOM % 20000))
        if ! (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
            echo "$port"
            return
        fi
    done
    echo "no free port" >&2
    exit 1
}
port=$(free_port)
export CUPS_SERVER="127.0.0.1:$port"
export VARMI_CUPS_SPOOL="$work/spool"
export VARMI_CUPS_MODE="$mode"

if [ "$mode" != none ]; then
    mkdir -p "$work"/{etc,spool/tmp,cache,state,log}
    chmod 755 "$work" "$work"/etc
    chmod 1777 "$work"/spool/tmp
    cat >"$work/etc/cupsd.conf" <<CONF
Listen 127.0.0.1:$port
LogLevel warn
PreserveJobFiles Yes
PreserveJobHistory Yes
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow 127.0.0.1
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
    cat >"$work/etc/cups-files.conf" <<CONF
ServerRoot $work/etc
RequestRoot $work/spool
TempDir $work/spool/tmp
CacheDir $work/cache
StateDir $work/state
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
FileDevice Yes
CONF
    "$cupsd" -f -c "$work/etc/cupsd.conf" -s "$work/etc/cups-files.conf" &
    pid=$!
    for _ in $(seq 100); do
        (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break
        sleep 0.1
    done
    "$lpadmin" -h "$CUPS_SERVER" -p varmi_test -E -v file:///dev/null -m raw 2>/dev/null
    if [ "$mode" = default ]; then
        "$lpadmin" -h "$CUPS_SERVER" -d varmi_test
    fi
fi

status=0
"$@" || status=$?
if [ $status -ne 0 ] && [ -f "$work/log/error_log" ]; then
    echo "--- scheduler log ---" >&2
    tail -n 30 "$work/log/error_log" >&2
fi
exit $status
