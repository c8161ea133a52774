#!/usr/bin/env bash
# Builds the Debian package from a build folder, installs it the way users do, starts `varmi` from
# the PATH as the desktop entry does, and removes the package again.
#
#   package-test.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
rm -f "$build"/varmi_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/varmi_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6printsupport6 libcups2 qt6-qpa-plugins qt6-translations-l10n \
    fonts-liberation; do
    grep -q "$lib" <<<"$depends" || { echo "package-test: $deb does not depend on $lib" >&2; exit 1; }
done
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "$(readlink -f "$deb")" >/dev/null
trap 'apt-get remove -y -qq varmi >/dev/null' EXIT
exec_line=$(grep '^Exec=' /usr/share/applications/pl.skarvel.varmi.desktop | cut -d= -f2)
command -v "$exec_line" >/dev/null || { echo "package-test: $exec_line is not on the PATH" >&2; exit 1; }
tests/e2e/installed-program.sh "$(command -v "$exec_line")"
varmi-dobor --help | grep -q 'varmi-dobor' || { echo "package-test: varmi-dobor does not run" >&2; exit 1; }
compgen -G '/usr/share/man/man1/varmi-dobor.1*' >/dev/null ||
    { echo "package-test: the manual page of varmi-dobor is missing" >&2; exit 1; }
echo "package-test: $(basename "$deb") installs, starts and is removed"
