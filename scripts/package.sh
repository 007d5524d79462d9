#!/usr/bin/env bash
# Builds the packages into build/packages/:
#   folvane_1.0.0_amd64.deb     from a Linux Release build (the window and
#                               folvane-cli), dependencies from dpkg-shlibdeps
#   folvane-1.0.0-win64.zip     from the Windows Release cross-build
#                               (preset windows-release), statically linked
#   folvane-1.0.0-win64.msi     the Windows installer, made from the .zip
#                               with wixl (scripts/make-msi.sh)
# then checks what they hold with scripts/check-packages.sh.
#   sudo dpkg -i build/packages/folvane_1.0.0_amd64.deb   (or apt install ./...)
#
# With FOLVANE_SIGN_PFX (a PKCS#12 code-signing certificate) and
# FOLVANE_SIGN_PASSWORD set, folvane.exe, folvane-cli.exe and the .msi are
# signed with osslsigncode (scripts/sign-windows.sh; FOLVANE_SIGN_TIMESTAMP
# adds a time stamp from that server).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
jobs=$(nproc)
version=$(sed -n 's/^project(Folvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# The Release preset in a folder of its own, without the tests, so that
# build/release stays as scripts/run.sh and ctest use it.
linux_build=build/package-linux
cmake --preset release -B "$linux_build" -DFOLVANE_BUILD_TESTS=OFF
cmake --build "$linux_build" -j "$jobs"
(cd "$linux_build" && cpack -G DEB)

windows_build=build/windows-release
if command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
    bash scripts/windows-deps.sh
    cmake --preset windows-release
    cmake --build --preset windows-release -j "$jobs"
    (cd "$windows_build" && cpack -G ZIP)
    bash scripts/make-msi.sh "$windows_build/packages/folvane-$version-win64.zip" \
        "$windows_build/packages/folvane-$version-win64.msi" "$version"
else
    echo "package: no MinGW-w64 cross-compiler, so no Windows .zip" >&2
    windows_build=""
fi

mkdir -p build/packages
cp "$linux_build"/packages/folvane_*.deb build/packages/
[ -z "$windows_build" ] || cp "$windows_build"/packages/folvane-*-win64.{zip,msi} build/packages/

FOLVANE_PACKAGES_BUILT=1 bash scripts/check-packages.sh "$linux_build" "$windows_build"
ls -l build/packages/
