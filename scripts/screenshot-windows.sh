#!/usr/bin/env bash
# Starts folvane.exe for real under Wine on a virtual X display (Xvfb), in
# Japanese, and takes pictures while it is used with the keyboard as a
# person would: after "結果表示" (Ctrl+V), the system's Save As (Ctrl+S)
# and its completion message, the selection window (Ctrl+O), the about box,
# and the progress window during a run over 5,000 files.
#   scripts/screenshot-windows.sh [OUTPUT-FOLDER]
# docs/screenshot-windows.png and docs/screenshot-windows-select.png go into
# the README; the others are left in OUTPUT-FOLDER (build/screens) to look at.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/screens}")

bash scripts/setup.sh
need=()
command -v import >/dev/null || need+=(imagemagick)
command -v xdotool >/dev/null || need+=(xdotool)
if [ ${#need[@]} -gt 0 ]; then
    apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${need[@]}"
fi
bash scripts/windows-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j 2 --target folvane

# A prefix of its own, so that a test run's wineserver is left alone; the
# fonts and the Japanese locale come from the prefix script.
# Made afresh each time, so that Save As opens in the current folder and not
# in the one the last session saved to.
prefix=$PWD/build/windows/wineprefix-screens
WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true
rm -rf "$prefix"
bash scripts/wine-prefix.sh "$prefix" build/locale
mkdir -p "$out"

# The files on a drive D: of their own, under a realistic folder name.
drive=$PWD/build/screens-drive
rm -rf "$drive"
mkdir -p "$drive/スキャン/2026-12" "$drive/スキャン/大量"
cp samples/*.tif samples/*.TIF "$drive/スキャン/2026-12/"
for i in $(seq -w 1 5000); do ln "$drive/スキャン/2026-12/a4_200dpi.tif" "$drive/スキャン/大量/頁$i.tif"; done
ln -sfn "$drive" "$prefix/dosdevices/d:"

export FOLVANE_EXE=$PWD/build/windows/src/win32/folvane.exe FOLVANE_OUT=$out FOLVANE_DRIVE=$drive
export WINEPREFIX=$prefix WINEDEBUG=-all LOCPATH=$PWD/build/locale
xvfb-run -a -s "-screen 0 1024x700x24" env LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 bash -c '
    set -u
    wine=/usr/lib/wine/wine64
    shot() { import -window root "$FOLVANE_OUT/$1.png"; }
    keys() { xdotool mousemove 500 5 sleep 0.2 key --delay 150 "$@"; }
    # The selection window opens in the current folder: D:\スキャン\2026-12.
    cd "$FOLVANE_DRIVE/スキャン/2026-12"
    "$wine" explorer /desktop=Folvane,1000x680 "$FOLVANE_EXE" "D:\\スキャン\\2026-12" &
    sleep 6
    keys ctrl+v; sleep 2; shot main-after-run
    keys ctrl+s; sleep 4; shot save-as
    keys Return; sleep 4; shot save-done
    keys Return; sleep 2
    # In the selection window: Tab to the file list, pick three files, back
    # to "↓ 追　　加 ↓" and press it.
    keys ctrl+o; sleep 4
    keys Tab Tab Tab Tab Down shift+Down shift+Down shift+Tab shift+Tab shift+Tab shift+Tab space
    sleep 2; shot select
    keys Escape; sleep 2
    keys alt+a v; sleep 3; shot about
    keys Return; sleep 2
    keys alt+f x; sleep 2
    "$wine" explorer /desktop=Folvane,1000x680 "$FOLVANE_EXE" "D:\\スキャン\\大量" &
    sleep 8
    keys ctrl+v; sleep 0.6; shot progress
    sleep 8; shot main-5000
    /usr/lib/wine/wineserver -k
'
# The window and the desktop around it, without the screen's black rest.
for picture in "$out"/*.png; do convert "$picture" -crop 1000x680+0+0 +repage "$picture"; done
cp "$out/main-after-run.png" docs/screenshot-windows.png
cp "$out/select.png" docs/screenshot-windows-select.png
ls -l "$out"
echo "wrote docs/screenshot-windows.png and docs/screenshot-windows-select.png"
