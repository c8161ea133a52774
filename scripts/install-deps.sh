#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need (idempotent).
set -euo pipefail
packages=(
    cmake ninja-build g++ pkg-config ccache
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-base-dev-tools qt6-pdf-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins libgl-dev
    qt6-translations-l10n
    fonts-liberation
    cups-daemon cups-client libcups2-dev desktop-file-utils appstream dpkg-dev
    xvfb xauth xdotool x11-utils xclip openbox imagemagick poppler-utils locales
    clang-14 libclang-rt-14-dev
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The desktop test runs the program in the Polish locale.
if ! locale -a 2>/dev/null | grep -qix 'pl_PL\.utf-\?8'; then
    localedef -i pl_PL -f UTF-8 pl_PL.UTF-8
fi
