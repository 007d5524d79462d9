#!/usr/bin/env bash
# Makes the Windows installer from the Windows .zip, so that the two hold
# the same programs (signed, when a certificate is given):
#   scripts/make-msi.sh ZIP OUTPUT.msi VERSION
# wixl (Debian's msitools) builds it from packaging/windows/folvane.wxs;
# with FOLVANE_SIGN_PFX set the .msi is then signed by
# scripts/sign-windows.sh. See packaging/windows/README.md for what it
# installs.
set -euo pipefail
cd "$(dirname "$0")/.."

zip=$(realpath "${1:?usage: make-msi.sh ZIP OUTPUT.msi VERSION}")
output=$(realpath -m "${2:?usage: make-msi.sh ZIP OUTPUT.msi VERSION}")
version=${3:?usage: make-msi.sh ZIP OUTPUT.msi VERSION}
command -v wixl >/dev/null || { echo "make-msi: wixl is missing (Debian's wixl)" >&2; exit 1; }

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
unzip -q "$zip" -d "$stage"
# The .zip holds one folder; wixl takes the files' names relative to the
# folder it runs in.
files=$(find "$stage" -mindepth 1 -maxdepth 1 -type d -print -quit)
[ -n "$files" ] || { echo "make-msi: $zip holds no folder" >&2; exit 1; }
for file in folvane.exe folvane-cli.exe Folvane.html README-ja.txt; do
    [ -f "$files/$file" ] || { echo "make-msi: $zip lacks $file" >&2; exit 1; }
done
cp data/icons/folvane.ico "$stage/folvane.ico"

(cd "$files" && wixl --arch x64 -D Version="$version" -D IconFile=../folvane.ico \
    -o "$output.tmp" "$OLDPWD/packaging/windows/folvane.wxs")
bash scripts/sign-windows.sh "$output.tmp"
mv -f "$output.tmp" "$output"
echo "make-msi: $(basename "$output") ($(stat -c %s "$output") bytes)"
