#!/usr/bin/env bash
# Installs the Windows installer silently under Wine, in a Wine prefix of
# its own made for the run, and checks what a user would find: the files
# under Program Files, the Start menu entry, the "送る" (SendTo) shortcut,
# "Open with" for .tif, .tiff and .pdf with the default program left alone,
# the Apps & features entry with its version and icon. Then a later version
# made from the same .zip replaces it, and uninstalling leaves nothing
# behind. About 15 seconds.
#   scripts/check-msi.sh MSI ZIP VERSION
set -euo pipefail
cd "$(dirname "$0")/.."

msi=$(realpath "${1:?usage: check-msi.sh MSI ZIP VERSION}")
zip=$(realpath "${2:?usage: check-msi.sh MSI ZIP VERSION}")
version=${3:?usage: check-msi.sh MSI ZIP VERSION}
started=$SECONDS
failed=0
fail() {
    echo "check-msi: $*"
    failed=1
}

wine="" wineserver=""
for candidate in /usr/lib/wine/wine64 "$(command -v wine64 || true)"; do
    if [ -n "$candidate" ] && [ -x "$candidate" ]; then wine=$candidate; break; fi
done
for candidate in /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver "$(command -v wineserver || true)"; do
    if [ -n "$candidate" ] && [ -x "$candidate" ]; then wineserver=$candidate; break; fi
done
if [ -z "$wine" ] || [ -z "$wineserver" ]; then
    echo "check-msi: skipped, Debian's wine64 is not installed"
    exit 0
fi

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all LC_ALL=C.UTF-8
# No Mono or Gecko prompts, and no menu entries written into the desktop of
# the machine running the check.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY
cleanup() {
    "$wineserver" -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
"$wine" wineboot </dev/null >/dev/null 2>&1 || { echo "check-msi: wineboot failed"; exit 1; }

# A later version from the same programs: the same upgrade code, a higher
# version number.
IFS=. read -r major minor patch <<<"$version"
later=$major.$minor.$((patch + 1))
FOLVANE_SIGN_PFX="" bash scripts/make-msi.sh "$zip" "$work/folvane-$later.msi" "$later" >/dev/null

unzip -q "$zip" -d "$work/zip"
zipped=$(find "$work/zip" -mindepth 1 -maxdepth 1 -type d -print -quit)

# Windows paths of the installer files, as msiexec takes them.
winpath() { "$wine" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
msiexec() { "$wine" msiexec "$@" </dev/null >/dev/null 2>&1; }
# One value of the registry (empty name: the key's default), or nothing
# when it is not set ("(value not set)" is how reg shows an unset default).
reg_value() {
    local key=$1 name=$2 args
    if [ -z "$name" ]; then args=(/ve); else args=(/v "$name"); fi
    "$wine" reg query "$key" "${args[@]}" 2>/dev/null | tr -d '\r' |
        awk -F '    ' '$3 ~ /^REG_/ { if ($4 != "(value not set)") print $4; exit }' || true
}
reg_has() { "$wine" reg query "$@" >/dev/null 2>&1; }
uninstall_entries() {
    "$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null |
        tr -d '\r' | grep -c 'DisplayName *REG_SZ *Folvane$' || true
}
drive_c=$WINEPREFIX/drive_c
installed=$drive_c/Program\ Files/Folvane
shortcut() {  # the .lnk of a folder of the user's or of all users
    find "$drive_c/users" "$drive_c/ProgramData" -path "*/$1/Folvane.lnk" -print -quit 2>/dev/null
}
classes='HKLM\Software\Classes'
tif_default_before=$(reg_value "$classes\\.tif" "")
pdf_default_before=$(reg_value "$classes\\.pdf" "")

# --- Install -----------------------------------------------------------------
msiexec /i "$(winpath "$msi")" /qn || fail "msiexec /i $(basename "$msi") /qn failed"
for file in folvane.exe folvane-cli.exe Folvane.html README-ja.txt; do
    cmp -s "$installed/$file" "$zipped/$file" ||
        fail "Program Files\\Folvane\\$file is missing or differs from the .zip's"
done
[ "$("$wine" "$installed/folvane-cli.exe" --version 2>/dev/null | tr -d '\r')" = "Folvane $version" ] ||
    fail "the installed folvane-cli.exe --version does not say Folvane $version"

start_entry=$(shortcut "Start Menu/Programs")
send_to=$(shortcut "SendTo")
[ -n "$start_entry" ] || fail "no Start menu entry Folvane"
[ -n "$send_to" ] || fail "no SendTo shortcut Folvane"
for link in "$start_entry" "$send_to"; do
    [ -n "$link" ] || continue
    # A shortcut keeps its target's path as text.
    grep -aq 'folvane\.exe' "$link" || LC_ALL=C grep -aq 'f.o.l.v.a.n.e...e.x.e' "$link" ||
        fail "${link#"$drive_c"/} does not lead to folvane.exe"
done

command=$(reg_value "$classes\\Applications\\folvane.exe\\shell\\open\\command" "")
[ "$command" = '"C:\Program Files\Folvane\folvane.exe" "%1"' ] ||
    fail "the open command of folvane.exe is \"$command\""
[ "$(reg_value "$classes\\Folvane.Scan\\shell\\open\\command" "")" = "$command" ] ||
    fail "the file type Folvane.Scan does not open folvane.exe"
for extension in .tif .tiff; do
    reg_has "$classes\\$extension\\OpenWithProgids" /v Folvane.Scan ||
        fail "Folvane is not under \"Open with\" for $extension"
    reg_has "$classes\\Applications\\folvane.exe\\SupportedTypes" /v "$extension" ||
        fail "folvane.exe does not list $extension among its types"
done
# A PDF file opens with PDF files taken.
reg_has "$classes\\.pdf\\OpenWithProgids" /v Folvane.Pdf ||
    fail "Folvane is not under \"Open with\" for .pdf"
[ "$(reg_value "$classes\\Folvane.Pdf\\shell\\open\\command" "")" = \
    '"C:\Program Files\Folvane\folvane.exe" --pdf "%1"' ] ||
    fail "the file type Folvane.Pdf does not open folvane.exe --pdf"
[ "$(reg_value "$classes\\.tif" "")" = "$tif_default_before" ] ||
    fail "the default program of .tif was changed"
[ "$(reg_value "$classes\\.pdf" "")" = "$pdf_default_before" ] ||
    fail "the default program of .pdf was changed"

uninstall_key=$("$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null |
    tr -d '\r' | grep -B20 'DisplayName *REG_SZ *Folvane$' | grep '^HKEY' | tail -n1 || true)
[ -n "$uninstall_key" ] || fail "no Apps & features entry Folvane"
if [ -n "$uninstall_key" ]; then
    [ "$(reg_value "$uninstall_key" DisplayVersion)" = "$version" ] ||
        fail "the Apps & features entry does not show version $version"
    [ "$(reg_value "$uninstall_key" Publisher)" = "The Folvane developers" ] ||
        fail "the Apps & features entry has no publisher"
    # The product's icon, as Apps & features finds it: the installer keeps
    # it under the product's registration.
    product_code=${uninstall_key##*\\}
    icon=$(find "$drive_c/windows/Installer/$product_code" -iname folvane.ico -print -quit 2>/dev/null)
    [ -n "$icon" ] && cmp -s "$icon" data/icons/folvane.ico ||
        fail "the Apps & features entry has no icon"
fi

# --- Upgrade -----------------------------------------------------------------
msiexec /i "$(winpath "$work/folvane-$later.msi")" /qn || fail "installing version $later failed"
[ "$(uninstall_entries)" -eq 1 ] || fail "version $later did not replace $version (Apps & features lists $(uninstall_entries))"
"$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null | tr -d '\r' |
    grep -q "DisplayVersion *REG_SZ *$later$" || fail "Apps & features does not show version $later"
[ -f "$installed/folvane.exe" ] || fail "the upgrade left no folvane.exe"

# --- Uninstall ---------------------------------------------------------------
msiexec /x "$(winpath "$work/folvane-$later.msi")" /qn || fail "msiexec /x failed"
[ ! -e "$installed" ] || fail "Program Files\\Folvane is still there after uninstalling: $(ls "$installed")"
[ -z "$(shortcut "Start Menu/Programs")$(shortcut SendTo)" ] || fail "shortcuts left after uninstalling"
[ "$(uninstall_entries)" -eq 0 ] || fail "the Apps & features entry is left after uninstalling"
reg_has "$classes\\Applications\\folvane.exe" && fail "Applications\\folvane.exe is left after uninstalling"
reg_has "$classes\\Folvane.Scan" && fail "the file type Folvane.Scan is left after uninstalling"
reg_has "$classes\\Folvane.Pdf" && fail "the file type Folvane.Pdf is left after uninstalling"
reg_has "$classes\\.tif\\OpenWithProgids" /v Folvane.Scan && fail "\"Open with\" for .tif is left after uninstalling"

[ "$failed" -eq 0 ] || exit 1
echo "check-msi: $(basename "$msi") installs, upgrades to $later and uninstalls under Wine ($((SECONDS - started)) s)"
