#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks the layout, the desktop entry and the
# AppStream data, then runs the installed command.
#
#   install-layout.sh BUILD_DIR
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
build=$1
prefix=$(mktemp -d "${TMPDIR:-/tmp}/varmi-prefix.XXXXXX")
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/varmi lib/varmi/varmi lib/varmi/parametr.txt lib/varmi/varmi.html \
    lib/varmi/varmi.installed share/applications/pl.skarvel.varmi.desktop \
    share/metainfo/pl.skarvel.varmi.metainfo.xml \
    share/icons/hicolor/scalable/apps/pl.skarvel.varmi.svg; do
    [ -e "$prefix/$f" ] || { echo "install-layout: $f missing" >&2; exit 1; }
done
if [ -d "$build/data/pdf" ]; then
    ls "$prefix"/lib/varmi/pdf/*.pdf >/dev/null || { echo "install-layout: no data sheets" >&2; exit 1; }
fi
desktop-file-validate "$prefix/share/applications/pl.skarvel.varmi.desktop"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/pl.skarvel.varmi.metainfo.xml"
"$here/installed-program.sh" "$prefix/bin/varmi"
