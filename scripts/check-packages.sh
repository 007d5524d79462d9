#!/usr/bin/env bash
# Makes the .deb and the Windows .zip from builds that exist and checks what
# they hold: the .deb unpacked into a scratch root (dpkg -x) puts every file
# where a desktop looks for it, lintian reports no error, its menu entry
# passes desktop-file-validate, its manual page renders and names every
# option of --help, its bash completion offers the options' values; the .zip
# holds the programs, the help page and the Japanese read-me; the Windows
# installer made from it (scripts/make-msi.sh) installs, upgrades and
# uninstalls under Wine (scripts/check-msi.sh); the programs and the
# installer are signed, here with a throw-away certificate made for the run.
#   scripts/check-packages.sh [LINUX_BUILD [WINDOWS_BUILD]]
# Defaults: build/dev and build/windows, as scripts/test.sh leaves them. An
# empty or missing WINDOWS_BUILD skips the .zip and the installer.
# FOLVANE_PACKAGES_BUILT=1 checks the packages already in the builds'
# packages/ folders (scripts/package.sh), signatures only when it was given
# a certificate.
set -euo pipefail
cd "$(dirname "$0")/.."

linux_build=${1:-build/dev}
windows_build=${2-build/windows}
version=1.0.0
started=$SECONDS
failed=0
fail() {
    echo "check-packages: $*"
    failed=1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# --- The .deb --------------------------------------------------------------
if [ -z "${FOLVANE_PACKAGES_BUILT:-}" ]; then
    (cd "$linux_build" && cpack -G DEB >"$work/cpack-deb.log" 2>&1) ||
        { cat "$work/cpack-deb.log"; exit 1; }
fi
deb=$linux_build/packages/folvane_${version}_amd64.deb
[ -f "$deb" ] || { echo "check-packages: no $deb"; exit 1; }

[ "$(dpkg-deb -f "$deb" Package)" = folvane ] || fail "package name is not folvane"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version is not $version"
dpkg-deb -f "$deb" Depends | grep -q 'libc6' || fail "no dependencies computed (Depends lacks libc6)"

root=$work/root
dpkg -x "$deb" "$root"
window=0
# The window is built where Qt 6 is installed, in whichever folder of src/.
[ -n "$(find "$linux_build/src" -type f -name folvane -perm -u+x -print -quit)" ] && window=1
expected=(
    usr/bin/folvane-cli
    usr/share/doc/folvane/Folvane.html
    usr/share/doc/folvane/copyright
    usr/share/doc/folvane/changelog.gz
    usr/share/man/man1/folvane-cli.1.gz
    usr/share/bash-completion/completions/folvane-cli
)
if [ "$window" -eq 1 ]; then
    expected+=(
        usr/bin/folvane
        usr/share/man/man1/folvane.1.gz
        usr/share/applications/folvane.desktop
        usr/share/icons/hicolor/scalable/apps/folvane.svg
    )
    # Bitmaps where the build could draw them (rsvg-convert).
    if [ -d "$linux_build/icons/hicolor" ]; then
        for size in 16 24 32 48 64 128 256; do
            expected+=("usr/share/icons/hicolor/${size}x${size}/apps/folvane.png")
        done
    fi
fi
for file in "${expected[@]}"; do
    [ -f "$root/$file" ] || fail "the .deb lacks /$file"
done
# Nothing outside /usr, and nothing from the build (tests, fixtures).
unexpected=$(cd "$root" && find . -type f | sed 's|^\./||' | sort |
    grep -vxF -f <(printf '%s\n' "${expected[@]}") || true)
[ -z "$unexpected" ] || fail "the .deb holds more than expected: $unexpected"

# Debian's machine-readable copyright format, and no error from lintian
# (a few seconds).
head -n1 "$root/usr/share/doc/folvane/copyright" |
    grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "usr/share/doc/folvane/copyright is not in the machine-readable format"
if command -v lintian >/dev/null; then
    lintian --fail-on error "$deb" 2>/dev/null >"$work/lintian.log" ||
        { cat "$work/lintian.log"; fail "lintian reports errors in $(basename "$deb")"; }
    # Warnings are shown, not failed on.
    cat "$work/lintian.log"
else
    fail "lintian is missing (Debian's lintian)"
fi

# The window looks for the help page in ../share/doc/folvane from its folder.
[ -f "$root/usr/bin/../share/doc/folvane/Folvane.html" ] || fail "help page not at bin/../share/doc/folvane"

# The unpacked program runs, stripped as it is.
[ "$("$root/usr/bin/folvane-cli" --version)" = "Folvane $version" ] ||
    fail "the packaged folvane-cli --version does not say Folvane $version"

if [ "$window" -eq 1 ]; then
    # Without Qt's translations the standard dialogs are English.
    dpkg-deb -f "$deb" Depends | grep -qE '(^|, )qt6-translations-l10n(,|$| )' ||
        fail "the .deb does not depend on qt6-translations-l10n"
    entry=$root/usr/share/applications/folvane.desktop
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$entry" || fail "desktop-file-validate rejects folvane.desktop"
    else
        fail "desktop-file-validate is missing (Debian's desktop-file-utils)"
    fi
    grep -qx 'Exec=folvane %F' "$entry" || fail "the menu entry does not start folvane %F"
    grep -qx 'MimeType=image/tiff;' "$entry" || fail "the menu entry does not take image/tiff"
    grep -qx 'Icon=folvane' "$entry" || fail "the menu entry's icon is not folvane"
    # A PNG's width and height are the 8 bytes after its signature and
    # chunk header.
    for png in "$root"/usr/share/icons/hicolor/*x*/apps/folvane.png; do
        [ -f "$png" ] || continue
        size=$(basename "$(dirname "$(dirname "$png")")")
        [ "$(od -An -tx1 -j16 -N8 "$png" | tr -d ' \n')" = "$(printf '%08x%08x' "${size%x*}" "${size#*x}")" ] ||
            fail "${png#"$root"} is not $size pixels"
    done
    grep -q '^Name\[ja\]=' "$entry" && grep -q '^Comment\[ja\]=' "$entry" ||
        fail "the menu entry has no Japanese name or comment"
fi

# The manual page renders and names every option --help names.
man_text=$work/folvane-cli.man.txt
MANWIDTH=80 man -l "$root/usr/share/man/man1/folvane-cli.1.gz" >"$man_text" 2>"$work/man.err" ||
    { cat "$work/man.err"; fail "man -l cannot render folvane-cli.1.gz"; }
grep -q '^NAME' "$man_text" && grep -q 'folvane-cli - ' "$man_text" ||
    fail "the manual page has no NAME line for folvane-cli"
help_options=$("$root/usr/bin/folvane-cli" --help | grep -oE -- '(^|[ ,])--?[a-z][a-z-]*' |
    sed 's/^[ ,]*//' | sort -u)
[ -n "$help_options" ] || fail "no options found in --help"
for option in $help_options; do
    grep -qF -e "$option" "$man_text" || fail "the manual page lacks $option"
done

# So does the window's, for the window's --help (run without a display).
if [ "$window" -eq 1 ]; then
    MANWIDTH=80 man -l "$root/usr/share/man/man1/folvane.1.gz" >"$work/folvane.man.txt" 2>"$work/man.err" ||
        { cat "$work/man.err"; fail "man -l cannot render folvane.1.gz"; }
    window_options=$(QT_QPA_PLATFORM=offscreen "$root/usr/bin/folvane" --help 2>/dev/null |
        grep -oE -- '(^|[ ,[|])--?[a-z][a-z-]*' | sed 's/^[][ ,|]*//' | sort -u)
    [ -n "$window_options" ] || fail "no options found in folvane --help"
    for option in $window_options; do
        grep -qF -e "$option" "$work/folvane.man.txt" || fail "the manual page of folvane lacks $option"
    done
fi

# The bash completion offers every long option and the values of
# --format, --encoding and --columns.
completion=$root/usr/share/bash-completion/completions/folvane-cli
if [ -f /usr/share/bash-completion/bash_completion ]; then
    complete_words() {
        bash -c '
            source /usr/share/bash-completion/bash_completion
            source "$1"
            shift
            COMP_WORDS=("$@")
            COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
            COMP_LINE="${COMP_WORDS[*]}"
            COMP_POINT=${#COMP_LINE}
            _folvane_cli folvane-cli "${COMP_WORDS[-1]}" "${COMP_WORDS[-2]}" 2>/dev/null
            printf "%s\n" "${COMPREPLY[@]}"' complete "$completion" "$@"
    }
    long_options=$(complete_words folvane-cli --)
    for option in $help_options; do
        case $option in --*) grep -qxe "$option" <<<"$long_options" ||
            fail "completion does not offer $option" ;;
        esac
    done
    [ "$(complete_words folvane-cli --format '' | tr '\n' ' ')" = "direct display table folders xlsx " ] ||
        fail "completion of --format"
    [ "$(complete_words folvane-cli --encoding '' | tr '\n' ' ')" = "cp932 utf-8 " ] ||
        fail "completion of --encoding"
    complete_words folvane-cli --columns path,pa | grep -qx 'path,paper' ||
        fail "completion of the last name in a --columns list"
else
    echo "check-packages: bash-completion not installed, completion not tried"
fi
echo "check-packages: $(basename "$deb") ($(stat -c %s "$deb") bytes) holds ${#expected[@]} files where expected"

# --- The Windows .zip ------------------------------------------------------
if [ -n "$windows_build" ] && [ -f "$windows_build/src/folvane-cli.exe" ]; then
    zip=$windows_build/packages/folvane-${version}-win64.zip
    msi=$windows_build/packages/folvane-${version}-win64.msi
    test_certificate=""
    if [ -z "${FOLVANE_PACKAGES_BUILT:-}" ]; then
        # Signing as scripts/package.sh signs with a real certificate, here
        # with a throw-away self-signed one made for this run.
        test_certificate=$work/test-signing.pem
        openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=Folvane test signing" \
            -addext extendedKeyUsage=codeSigning -keyout "$work/test-signing.key" \
            -out "$test_certificate" 2>/dev/null
        openssl pkcs12 -export -inkey "$work/test-signing.key" -in "$test_certificate" \
            -out "$work/test-signing.pfx" -passout pass:throw-away
        export FOLVANE_SIGN_PFX=$work/test-signing.pfx FOLVANE_SIGN_PASSWORD=throw-away
        (cd "$windows_build" && cpack -G ZIP >"$work/cpack-zip.log" 2>&1) ||
            { cat "$work/cpack-zip.log"; exit 1; }
        bash scripts/make-msi.sh "$zip" "$msi" "$version" >"$work/make-msi.log" 2>&1 ||
            { cat "$work/make-msi.log"; exit 1; }
        unset FOLVANE_SIGN_PFX FOLVANE_SIGN_PASSWORD
    fi
    [ -f "$zip" ] || { echo "check-packages: no $zip"; exit 1; }
    unzip -l "$zip"
    top=folvane-${version}-win64
    zipped=(folvane-cli.exe Folvane.html README-ja.txt)
    [ -n "$(find "$windows_build/src" -type f -name folvane.exe -print -quit)" ] && zipped+=(folvane.exe)
    listing=$(unzip -Z1 "$zip")
    for file in "${zipped[@]}"; do
        grep -qxF "$top/$file" <<<"$listing" || fail "the .zip lacks $top/$file"
    done
    [ "$(grep -cv '/$' <<<"$listing")" -eq "${#zipped[@]}" ] ||
        fail "the .zip holds more than ${zipped[*]}"
    # Notepad reads the read-me as UTF-8 from its byte-order mark, with CR LF.
    unzip -p "$zip" "$top/README-ja.txt" >"$work/README-ja.txt"
    [ "$(head -c 3 "$work/README-ja.txt" | od -An -tx1 | tr -d ' ')" = efbbbf ] ||
        fail "README-ja.txt does not start with a UTF-8 byte-order mark"
    if LC_ALL=C grep -q $'[^\r]$' "$work/README-ja.txt"; then
        fail "README-ja.txt has lines not ended by CR LF"
    fi
    # The version information Explorer shows.
    if command -v x86_64-w64-mingw32-windres >/dev/null; then
        unzip -p "$zip" "$top/folvane-cli.exe" >"$work/folvane-cli.exe"
        resources=$(x86_64-w64-mingw32-windres -J coff -i "$work/folvane-cli.exe" -O rc 2>/dev/null || true)
        grep -q '"ProductName", "Folvane"' <<<"$resources" || fail "folvane-cli.exe has no version information"
        grep -q '"FileVersion", "'"$version"'"' <<<"$resources" || fail "folvane-cli.exe's file version is not $version"
        grep -q 'RT_MANIFEST' <<<"$resources" || fail "folvane-cli.exe has no manifest"
        grep -q 'longPathAware' <<<"$resources" || fail "folvane-cli.exe's manifest lacks longPathAware"
        grep -q 'activeCodePage' <<<"$resources" && fail "folvane-cli.exe's manifest sets the code page"
        grep -q 'Type: icon' <<<"$resources" || fail "folvane-cli.exe has no icon"
    fi
    echo "check-packages: $(basename "$zip") ($(stat -c %s "$zip") bytes) holds ${zipped[*]}"

    # --- The Windows installer, made from the .zip -------------------------
    [ -f "$msi" ] || { echo "check-packages: no $msi"; exit 1; }
    # Signed programs and installer: checked against the throw-away
    # certificate of this run, or, after scripts/package.sh with a
    # certificate, present.
    if [ -n "$test_certificate" ] || [ -n "${FOLVANE_SIGN_PFX:-}" ]; then
        for file in folvane-cli.exe folvane.exe; do
            unzip -p "$zip" "$top/$file" >"$work/$file"
        done
        for file in "$work/folvane-cli.exe" "$work/folvane.exe" "$msi"; do
            if [ -n "$test_certificate" ]; then
                osslsigncode verify -CAfile "$test_certificate" -in "$file" >"$work/verify.log" 2>&1 ||
                    { cat "$work/verify.log"; fail "the signature of $(basename "$file") does not verify"; }
            else
                osslsigncode extract-signature -in "$file" -out "$work/signature" >/dev/null 2>&1 ||
                    fail "$(basename "$file") is not signed"
                rm -f "$work/signature"
            fi
        done
    fi
    if [ "${#zipped[@]}" -eq 4 ]; then
        bash scripts/check-msi.sh "$msi" "$zip" "$version" || fail "the installer does not install as it should"
    else
        fail "no installer check: the .zip lacks the window"
    fi
fi

[ "$failed" -eq 0 ] || exit 1
echo "check-packages: done in $((SECONDS - started)) s"
