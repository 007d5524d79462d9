#!/usr/bin/env bash
# Makes (or refreshes) a Wine prefix that runs Folvane's Windows programs,
# with or without a display server:
#   scripts/wine-prefix.sh PREFIX [LOCALE-FOLDER]
#
# - Graphics driver "x11,null": with DISPLAY set Wine draws on X, without it
#   windows are still created, sized and sent messages, only never drawn.
#   That is what lets the window tests run on a machine with no display.
# - Japanese fonts under the Windows names the program asks for, so that
#   captions are legible on screenshots (IPA fonts from fonts-ipafont-gothic;
#   Marlett, for the title-bar buttons, from fonts-wine).
# - With LOCALE-FOLDER: a ja_JP.UTF-8 locale generated into that folder, for
#   running Wine with LOCPATH=LOCALE-FOLDER LANG=ja_JP.UTF-8 (code page 932,
#   Japanese common dialogs) without touching the system's locales.
#
# Uses the wineserver of the caller when one is up for PREFIX. The set-up is
# done once per prefix; a later call only checks the marker and returns.
set -euo pipefail

# Wine takes only an absolute prefix.
prefix=$(realpath -m "${1:?usage: wine-prefix.sh PREFIX [LOCALE-FOLDER]}")
locale_folder=${2:+$(realpath -m "$2")}

wine=${FOLVANE_WINE:-}
if [ -z "$wine" ]; then
    for candidate in /usr/lib/wine/wine64 "$(command -v wine64 || true)"; do
        if [ -n "$candidate" ] && [ -x "$candidate" ]; then wine=$candidate; break; fi
    done
fi
[ -n "$wine" ] || { echo "wine-prefix: Debian's wine64 is not installed" >&2; exit 1; }

if [ -n "$locale_folder" ] && [ ! -f "$locale_folder/ja_JP.UTF-8/LC_CTYPE" ]; then
    mkdir -p "$locale_folder"
    # localedef exits 1 for mere warnings; the files are what counts.
    localedef -i ja_JP -f UTF-8 "$locale_folder/ja_JP.UTF-8" 2>/dev/null || true
    [ -f "$locale_folder/ja_JP.UTF-8/LC_CTYPE" ] ||
        { echo "wine-prefix: localedef could not make ja_JP.UTF-8" >&2; exit 1; }
fi

# Bump when the settings below change, so existing prefixes take them.
marker="$prefix/folvane-prefix-4"
if [ -f "$marker" ]; then exit 0; fi

export WINEPREFIX="$prefix" WINEDEBUG=-all
# No Mono or Gecko installer prompts, no menu entries in the user's desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
mkdir -p "$prefix"
"$wine" wineboot </dev/null >/dev/null 2>&1 ||
    { echo "wine-prefix: wineboot failed for $prefix" >&2; exit 1; }

# regedit reads UTF-16 files with a byte-order mark; the Japanese font names
# need it.
reg=$(mktemp --suffix=.reg)
trap 'rm -f "$reg"' EXIT
{
    printf '\xff\xfe'
    iconv -f UTF-8 -t UTF-16LE <<'EOF'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Graphics"="x11,null"

[HKEY_CURRENT_USER\Software\Wine\DllOverrides]
"winemenubuilder.exe"=""

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"MS UI Gothic"="IPAPGothic"
"ＭＳ Ｐゴシック"="IPAPGothic"
"MS PGothic"="IPAPGothic"
"Meiryo"="IPAPGothic"
"メイリオ"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS Gothic"="IPAGothic"

EOF
} >"$reg"
"$wine" regedit /S "Z:${reg//\//\\}" </dev/null >/dev/null 2>&1
# Marlett draws the title bar's buttons. Wine finds the fonts in the prefix's
# own font folder whatever its build's data folder is.
fonts="$prefix/drive_c/windows/Fonts"
mkdir -p "$fonts"
for font in /usr/share/wine/fonts/marlett.ttf; do
    [ -f "$font" ] && ln -sf "$font" "$fonts/"
done
touch "$marker"
echo "wine-prefix: $prefix ready"
