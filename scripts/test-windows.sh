#!/usr/bin/env bash
# Cross-builds folvane_core, folvane-cli, the window folvane.exe and the tests
# for Windows with MinGW-w64 and runs them under Wine with no display: the
# tests (the window's own drive its real windows), a smoke run over samples/,
# and the byte-for-byte comparison with the Linux build.
# Skipped, with a note, when the cross-compiler or Wine is missing.
# Expects the Linux dev build (scripts/test.sh makes it first).
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
    echo "test-windows: skipped, x86_64-w64-mingw32-g++-posix is not installed"
    exit 0
fi
wine=""
for candidate in /usr/lib/wine/wine64 "$(command -v wine64 || true)"; do
    if [ -n "$candidate" ] && [ -x "$candidate" ]; then wine=$candidate; break; fi
done
wineserver=""
for candidate in /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver "$(command -v wineserver || true)"; do
    if [ -n "$candidate" ] && [ -x "$candidate" ]; then wineserver=$candidate; break; fi
done
if [ -z "$wine" ] || [ -z "$wineserver" ]; then
    echo "test-windows: skipped, Debian's wine64 is not installed"
    exit 0
fi

jobs=$(nproc)
started=$SECONDS

# Wine without a display, in a prefix under build/ (made on the first run,
# 5 to 15 seconds). One wineserver stays up for the whole step, which saves
# a second or two on every one of the many short test processes, including
# the test listing at build time. Its services (services.exe, winedevice...)
# are started here, detached: started by a test they would keep ctest's
# output pipe open, and ctest would wait for them for ever.
export WINEPREFIX="$PWD/build/windows/wineprefix"
export WINEDEBUG=-all LC_ALL=C.UTF-8 FOLVANE_WINE="$wine"
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$WINEPREFIX"
"$wineserver" -p 2>/dev/null || true # already up for this prefix: fine
trap '"$wineserver" -k 2>/dev/null || true' EXIT
# The prefix's graphics driver "x11,null" lets the window tests create
# windows without a display server.
bash scripts/wine-prefix.sh "$WINEPREFIX"
"$wine" wineboot </dev/null >/dev/null 2>&1
prefixed=$SECONDS

bash scripts/windows-deps.sh
cmake --preset windows
cmake --build --preset windows -j "$jobs"
built=$SECONDS

# Wine's file system does not see drive letters defined by the program
# itself, so the drive-root test gets one here, over an empty folder.
mkdir -p build/windows/test-drive
rm -rf build/windows/test-drive/*
ln -sfn ../../test-drive "$WINEPREFIX/dosdevices/t:"
export FOLVANE_TEST_DRIVE=T:
# The same for a link to a folder: the selection window must list it.
mkdir -p build/windows/test-links/目標
ln -sfn 目標 build/windows/test-links/リンク
FOLVANE_TEST_LINKS="Z:$(realpath build/windows/test-links | tr / '\\')"
export FOLVANE_TEST_LINKS

ctest --preset windows -j "$jobs" --timeout 120
tested=$SECONDS

# Smoke run: the lone .exe over samples/, into a result file.
smoke=build/windows/smoke-SizeList.txt
rm -f "$smoke"
# Exit status 3: samples/ holds one file that is not a TIFF file, on purpose.
status=0
"$wine" build/windows/src/folvane-cli.exe -q --encoding utf-8 -o 'build\windows\smoke-SizeList.txt' samples || status=$?
[ "$status" -eq 3 ] || { echo "test-windows: smoke run exited $status, expected 3"; exit 1; }
grep -q $'^samples\\\\multipage.tif\r$' "$smoke"
grep -q $'\t3 枚\r$' "$smoke"
grep -q $'^\tsamples\\\\readme_not_a_tiff.tif\r$' "$smoke"
echo "test-windows: smoke run over samples/ wrote $(wc -l <"$smoke") lines"

bash scripts/compare-windows.sh build/dev/src/folvane-cli build/windows/src/folvane-cli.exe

# The window test saved its display file after a run over the drop it made
# (the folder twice, a.tif again, B.TIF, c.tiff and notes.txt alone). The
# Linux command line, given the same drop, must write the same bytes once
# the Windows folder in front of the paths is taken away and "\" is "/".
window_test=build/windows/tests/win32/window-test
[ -f "$window_test/SizeList.txt" ] || { echo "test-windows: the window test saved nothing"; exit 1; }
# Its direct save is compared with folvane-cli's direct output the same way.
compare_window_file() { # WINDOW-FILE CLI-OPTION...
    local saved=$1
    shift
    local status=0
    local inputs=(スキャン資料 スキャン資料 スキャン資料/a.tif スキャン資料/B.TIF スキャン資料/c.tiff
                  スキャン資料/notes.txt)
    # With "PDF も対象にする" the window was cleared and given both folders.
    [ "$1" != --pdf ] || inputs=(スキャン資料 PDF資料)
    (cd "$window_test" && "$OLDPWD/build/dev/src/folvane-cli" -q "$@" -o linux.txt \
        "${inputs[@]}") || status=$?
    [ "$status" -eq 3 ] || { echo "test-windows: folvane-cli $* exited $status, expected 3"; exit 1; }
    FOLDER="Z:$(realpath "$window_test" | tr / '\\')\\" perl -pe 's/\Q$ENV{FOLDER}\E//g' \
        "$window_test/$saved" | tr '\\' / >"$window_test/window.norm"
    tr '\\' / <"$window_test/linux.txt" >"$window_test/linux.norm"
    if ! cmp "$window_test/linux.norm" "$window_test/window.norm"; then
        echo "test-windows: the window's $saved differs from folvane-cli $*"
        diff <(od -An -c "$window_test/linux.norm") <(od -An -c "$window_test/window.norm") | head -20 || true
        exit 1
    fi
    echo "test-windows: the window's $saved has the bytes of folvane-cli $* ($(wc -c <"$window_test/linux.norm") bytes)"
}
compare_window_file SizeList.txt --display
compare_window_file Direct.txt --format direct
compare_window_file PdfSizeList.txt --pdf --display

# Its workbook has the sheets folvane-cli --format xlsx writes (the rows;
# the column widths follow the longer Windows paths, the information
# sheet holds the time).
status=0
(cd "$window_test" && "$OLDPWD/build/dev/src/folvane-cli" -q --format xlsx -o linux.xlsx \
    スキャン資料 スキャン資料 スキャン資料/a.tif スキャン資料/B.TIF スキャン資料/c.tiff \
    スキャン資料/notes.txt) || status=$?
[ "$status" -eq 3 ] || { echo "test-windows: folvane-cli --format xlsx exited $status, expected 3"; exit 1; }
FOLDER="Z:$(realpath "$window_test" | tr / '\\')\\" python3 - "$window_test/Book.xlsx" \
    "$window_test/linux.xlsx" <<'PYTHON' || exit 1
import os, re, sys, zipfile
def rows(path, folder=""):
    with zipfile.ZipFile(path) as book:
        names = sorted(n for n in book.namelist() if n.startswith("xl/worksheets/sheet"))
        sheets = [book.read(n).decode() for n in names[:-1]]
    data = [re.search(r"<sheetData(/>|>.*</sheetData>)", s, re.S).group(0) for s in sheets]
    return [d.replace(folder, "").replace("\\", "/") for d in data]
window = rows(sys.argv[1], os.environ["FOLDER"])
linux = rows(sys.argv[2])
if window != linux:
    print("test-windows: the window's Book.xlsx differs from folvane-cli --format xlsx")
    sys.exit(1)
print("test-windows: the window's Book.xlsx has the sheets of folvane-cli --format xlsx")
PYTHON
echo "test-windows: Wine prefix $((prefixed - started)) s, build $((built - prefixed)) s," \
    "ctest $((tested - built)) s, all $((SECONDS - started)) s"
