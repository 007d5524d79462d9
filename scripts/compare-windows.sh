#!/usr/bin/env bash
# Runs the Linux folvane-cli and folvane-cli.exe under Wine over the same
# copy of samples/, kept under Japanese folder and file names, and over the
# PDF fixtures (folvane-mkpdf) and qpdf's test files with --pdf, and fails
# unless both write the same bytes (results and messages) once the paths'
# separators are made alike.
#   scripts/compare-windows.sh [LINUX_CLI [WINDOWS_CLI [MKPDF]]]
# Expects WINEPREFIX set up as scripts/test-windows.sh does it.
set -euo pipefail
cd "$(dirname "$0")/.."

linux_cli=$(realpath "${1:-build/dev/src/folvane-cli}")
windows_cli=$(realpath "${2:-build/windows/src/folvane-cli.exe}")
mkpdf=$(realpath "${3:-build/dev/tools/folvane-mkpdf}")
wine=${FOLVANE_WINE:-/usr/lib/wine/wine64}
export WINEDEBUG=-all LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY

work=$(mktemp -d)
[ -n "${FOLVANE_KEEP_COMPARE:-}" ] || trap 'rm -rf "$work"' EXIT
mkdir -p "$work/run"

# The folder and file names: Japanese ones, ones whose Shift-JIS ends in
# the byte of "\" (表, ソ), one outside code page 932 (Korean, which becomes
# "?" on both sides), and a sub-folder that is not entered.
sample_folder="$work/run/見本"
mkdir -p "$sample_folder/スキャン 表" "$sample_folder/古い"
cp samples/B4_SCAN.TIF "$sample_folder/請求書_B4.TIF"
cp samples/a4_200dpi.tif "$sample_folder/納品書.tif"
cp samples/multipage.tif "$sample_folder/見積書（3枚）.tif"
cp samples/readme_not_a_tiff.tif "$sample_folder/説明.tif"
cp samples/a3_300dpi_mm.tif "$sample_folder/스캔.tif"
cp samples/a4_landscape_400dpi.tif "$sample_folder/スキャン 表/ソース〜横.tif"
cp samples/a4_200dpi.tif "$sample_folder/古い/旧.tif"
cp samples/*.tif samples/*.TIF "$sample_folder/スキャン 表/"
# PDF files: every kind the reader tells apart, some under Japanese names,
# and real ones from qpdf's test suite.
pdf_folder="$work/run/書類"
"$mkpdf" fixtures "$pdf_folder"
mv "$pdf_folder/scan_g4_three_pages.pdf" "$pdf_folder/請求書（スキャン）.pdf"
mv "$pdf_folder/born_digital.pdf" "$pdf_folder/納品書.PDF"
mkdir -p "$pdf_folder/qpdf"
cp tests/data/qpdf/*.pdf "$pdf_folder/qpdf/"
cp samples/a4_200dpi.tif "$pdf_folder/見本.tif"

# Each case: the options, then the paths with "/" (turned into "\" for
# Windows). Paths are relative so that only separators differ.
cases=(
    "|見本"
    "--encoding utf-8|見本"
    "--display|見本/スキャン 表/|見本/請求書_B4.TIF"
    "--display --encoding utf-8 --areso 200 --breso 300|見本|見本/スキャン 表"
    "--columns path,pages,paper --no-total|見本/スキャン 表/ソース〜横.tif|見本/無い.tif|見本/古い"
    "-r -j 3|見本"
    "-r --format table --encoding utf-8|見本"
    "--format table|見本/スキャン 表|見本/請求書_B4.TIF"
    "-r --format folders|見本"
    "--pdf|書類"
    "--pdf --display --encoding utf-8 --areso 300 --breso 200|書類|書類/qpdf"
    "--pdf -r --format table --encoding utf-8|書類"
    "--pdf -r -j 3 --display|書類|見本"
    "--pdf --columns path,byte-order,pages,paper|書類/納品書.PDF|書類/無い.pdf"
)

failed=0
index=0
for case in "${cases[@]}"; do
    index=$((index + 1))
    IFS='|' read -r -a fields <<<"$case"
    read -r -a options <<<"${fields[0]}"
    linux_args=("${fields[@]:1}")
    windows_args=()
    for path in "${linux_args[@]}"; do windows_args+=("${path//\//\\}"); done

    out="$work/case$index"
    linux_status=0
    (cd "$work/run" && "$linux_cli" -q "${options[@]}" "${linux_args[@]}") \
        >"$out.linux.out" 2>"$out.linux.err" || linux_status=$?
    windows_status=0
    (cd "$work/run" && "$wine" "$windows_cli" -q "${options[@]}" "${windows_args[@]}") \
        >"$out.windows.out" 2>"$out.windows.err" || windows_status=$?

    # "\" becomes "/" on both sides: the Windows separators, and in the
    # Linux Shift-JIS the trail bytes that are the same on both sides.
    for side in linux windows; do
        for stream in out err; do
            tr '\\' '/' <"$out.$side.$stream" >"$out.$side.$stream.norm"
        done
    done
    if [ "$linux_status" != "$windows_status" ]; then
        echo "case $index ($case): exit status $linux_status on Linux, $windows_status on Windows"
        failed=1
    fi
    for stream in out err; do
        if ! cmp -s "$out.linux.$stream.norm" "$out.windows.$stream.norm"; then
            echo "case $index ($case): standard $stream differs"
            diff <(od -An -c "$out.linux.$stream.norm") <(od -An -c "$out.windows.$stream.norm") | head -20 || true
            failed=1
        fi
    done
    if [ ! -s "$out.linux.out" ]; then
        echo "case $index ($case): no output"
        failed=1
    fi
done

if [ "$failed" -ne 0 ]; then
    echo "compare-windows: the Windows build writes different bytes"
    exit 1
fi
echo "compare-windows: ${#cases[@]} runs write the same bytes on Linux and under Wine"
