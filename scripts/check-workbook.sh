#!/usr/bin/env bash
# Opens the workbooks folvane-cli writes in LibreOffice Calc (headless),
# converted back to CSV one file per sheet, and checks the sheets against
# --format table, --format folders and the text report over the same files:
# samples/ with a file named like a formula, and a tree of 20,000 files.
# Given the Windows program too, its workbooks (run under Wine) are checked
# against the Linux tables the same way.
#   scripts/check-workbook.sh LINUX_CLI [WINDOWS_CLI]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

linux_cli=$(realpath "$1")
windows_cli=${2:+$(realpath "$2")}
mkfixture=$(dirname "$linux_cli")/../tools/folvane-mkfixture
wine=${FOLVANE_WINE:-/usr/lib/wine/wine64}
export WINEPREFIX=${WINEPREFIX:-$root/build/windows/wineprefix}
export WINEDEBUG=-all LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY

if ! command -v soffice >/dev/null; then
    echo "check-workbook: LibreOffice (soffice) is missing; run scripts/setup.sh"
    exit 1
fi

work=$(mktemp -d)
[ -n "${FOLVANE_KEEP_WORKBOOK:-}" ] || trap 'rm -rf "$work"' EXIT
started=$SECONDS

# The trees, under relative names so that only separators differ between
# the two systems.
mkdir -p "$work/run/samples" "$work/out"
cp samples/* "$work/run/samples/"
cp samples/a4_200dpi.tif "$work/run/samples/=1+2.tif"
"$mkfixture" corpus "$work/run/tree" 20000 --nested >/dev/null
cp samples/* "$work/run/tree/"

run() { # NAME CLI-COMMAND... : the workbook and tables of both trees
    local name=$1
    shift
    for tree in samples tree; do
        local status=0
        (cd "$work/run" && "$@" -q -r --format xlsx -o "../out/$name-$tree.xlsx" "$tree") \
            2>>"$work/messages.log" || status=$?
        # One sample is not a TIFF file, on purpose.
        [ "$status" -eq 3 ] || { echo "check-workbook: $name over $tree exited $status"; exit 1; }
    done
}
run linux "$linux_cli"
for tree in samples tree; do
    for format in table folders display; do
        (cd "$work/run" && "$linux_cli" -q -r --encoding utf-8 --format "$format" "$tree") \
            >"$work/out/$tree.$format" 2>>"$work/messages.log" || true
    done
done
books=("$work"/out/linux-*.xlsx)
if [ -n "$windows_cli" ]; then
    run windows "$wine" "$windows_cli"
    books+=("$work"/out/windows-*.xlsx)
fi
converted=$SECONDS

# One start of LibreOffice for every workbook; the last filter option (-1)
# writes each sheet to a file of its own, "BOOK-SHEET.csv". Options: comma,
# double quote, UTF-8, from line 1, raw values (not as shown), results of
# formulas (there must be none).
soffice --headless --norestore \
    --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1' \
    --outdir "$work/out" "${books[@]}" >"$work/soffice.log" 2>&1 || {
    cat "$work/soffice.log"
    exit 1
}
for book in "${books[@]}"; do
    base=${book%.xlsx}
    tree=${base##*-}
    echo -n "check-workbook: $(basename "$book"): "
    python3 tests/output/check_workbook.py "$base" "$work/out/$tree.table" \
        "$work/out/$tree.folders" "$work/out/$tree.display" | sed 's/^check_workbook: //'
    # The file named like a formula is a text cell, not the formula's 3.
    if [ "$tree" = samples ] && ! grep -q '^samples/=1+2.tif,1,1,' <(tr '\\' / <"$base-ページ.csv"); then
        echo "check-workbook: $(basename "$book"): =1+2.tif is not a text cell"
        exit 1
    fi
done
echo "check-workbook: ${#books[@]} workbooks written in $((converted - started)) s," \
    "read back by LibreOffice in $((SECONDS - converted)) s"
