#!/usr/bin/env bash
# Installs the Debian 12 packages Folvane builds and tests with, when missing.
set -euo pipefail

packages=(
    cmake g++ make pkgconf ninja-build
    googletest libgtest-dev
    qt6-base-dev qt6-translations-l10n fonts-ipafont-gothic xvfb xauth
    libtiff-tools
    # PDF and workbooks: qpdf and libxlsxwriter for Linux; for Windows
    # scripts/windows-deps.sh builds them from Debian's source packages.
    libqpdf-dev libxlsxwriter-dev libz-mingw-w64-dev
    # Reading workbooks back as a spreadsheet program does, in the tests.
    libreoffice-calc-nogui python3 poppler-utils
    g++-mingw-w64-x86-64-posix wine64 fonts-wine locales
    # Packaging: the .deb's dependencies, the manual page, the icon's
    # bitmaps; checking the menu entry, completion, manual page and .zip;
    # lintian over the .deb; the Windows installer (wixl, msiinfo) and its
    # signature (osslsigncode, with a throw-away certificate from openssl).
    dpkg-dev help2man librsvg2-bin desktop-file-utils bash-completion man-db unzip
    lintian wixl msitools osslsigncode openssl
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
