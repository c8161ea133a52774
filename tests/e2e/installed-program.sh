#!/usr/bin/env bash
# Starts an installed copy of the program (the `varmi` command of an installation prefix or of the
# system) as a user would, with a home of its own, and checks that it keeps its files in the
# user's directory: the bundled catalogue copied there at the first start, pathpdf.txt created
# there, nothing written beside the executable, and a catalogue the user changed left alone.
#
#   installed-program.sh VARMI_COMMAND
set -euo pipefail
varmi=$1
appdir=$(dirname "$(readlink -f "$varmi")")
home=$(mktemp -d "${TMPDIR:-/tmp}/varmi-home.XXXXXX")
trap 'rm -rf "$home"' EXIT
userdir="$home/.local/share/varmi"

fail() {
    echo "installed-program: $*" >&2
    exit 1
}

# Runs the program until pathpdf.txt exists in the user's directory, then ends it.
start_once() {
    rm -f "$userdir/pathpdf.txt"
    env -u XDG_DATA_HOME HOME="$home" QT_QPA_PLATFORM=offscreen "$varmi" >"$home/out.txt" 2>&1 &
    local pid=$!
    for _ in $(seq 100); do
        [ -f "$userdir/pathpdf.txt" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null || { cat "$home/out.txt" >&2; fail "the program ended at start"; }
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    [ -f "$userdir/pathpdf.txt" ] || fail "no pathpdf.txt in $userdir"
}

[ -f "$appdir/varmi.installed" ] || fail "$appdir is not an installed copy"
start_once
cmp -s "$appdir/parametr.txt" "$userdir/parametr.txt" || fail "the catalogue was not copied"
[ ! -e "$appdir/pathpdf.txt" ] || fail "pathpdf.txt written beside the executable"
[ ! -e "$appdir/raport.txt" ] || fail "raport.txt written beside the executable"

# A catalogue of the user's own stays as it is.
sed -i 's/orv2\.14/orv2.14u/' "$userdir/parametr.txt"
start_once
grep -q 'orv2\.14u' "$userdir/parametr.txt" || fail "the user's catalogue was overwritten"
echo "installed-program: $varmi keeps its files in $userdir"
