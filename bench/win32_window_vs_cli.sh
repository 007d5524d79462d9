#!/usr/bin/env bash
# The displayed run of folvane.exe against folvane-cli.exe --display under
# Wine over the same files, for each COUNT: once with no display (the
# prefix's "null" graphics driver, as the window tests run) and once on a
# virtual X display (Xvfb). The window starts with --quit-after-run: it
# takes the folder as one drop, runs "結果表示" (lines into the list, totals
# into the box, progress window shown) and quits. Best of 3 each, and the
# ratio window / command line. The display gets openbox as its window
# manager when it is installed.
#   bench/win32_window_vs_cli.sh [COUNT...]     (default 1000 5000 20000)
set -euo pipefail
cd "$(dirname "$0")/.."
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(1000 5000 20000)

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
[ -x "$wine" ] || { echo "win32_window_vs_cli: Debian's wine64 is not installed" >&2; exit 1; }
command -v Xvfb >/dev/null || { echo "win32_window_vs_cli: Xvfb is not installed" >&2; exit 1; }

bash scripts/windows-deps.sh >/dev/null
cmake --preset windows-release >/dev/null
cmake --build --preset windows-release -j 2 --target folvane folvane-cli >/dev/null
window_exe=$PWD/build/windows-release/src/win32/folvane.exe
cli_exe=$PWD/build/windows-release/src/folvane-cli.exe

export WINEPREFIX=$PWD/build/bench/wineprefix WINEDEBUG=-all
bash scripts/wine-prefix.sh "$WINEPREFIX" >/dev/null

# Names of two samples (one page, three pages), hard-linked: the runs
# read the same bytes from the page cache.
corpus() { # COUNT -> folder
    local folder=$PWD/build/bench/win32-$1
    if [ ! -f "$folder/.complete" ]; then
        rm -rf "$folder"
        mkdir -p "$folder"
        local i
        for ((i = 1; i <= $1; i++)); do
            if ((i % 2)); then
                ln samples/a4_200dpi.tif "$folder/$(printf 'scan-%06d.tif' "$i")"
            else
                ln samples/multipage.tif "$folder/$(printf 'scan-%06d.tif' "$i")"
            fi
        done
        touch "$folder/.complete"
    fi
    echo "$folder"
}

FOLVANE_WINE=$wine FOLVANE_WINDOW=$window_exe FOLVANE_CLI=$cli_exe
measure() { # MODE FOLDER...: prints "MODE COUNT CLI WINDOW RATIO" per folder
    local mode=$1
    shift
    "$wineserver" -p 2>/dev/null || true
    "$wine" wineboot </dev/null >/dev/null 2>&1
    local folder
    for folder in "$@"; do
        local windows_path count cli="" window="" took start
        windows_path="Z:$(tr / '\\' <<<"$folder")"
        count=$(find "$folder" -name '*.tif' | wc -l)
        "$wine" "$FOLVANE_CLI" -q --display -o nul "$windows_path" >/dev/null 2>&1 || true
        for _ in 1 2 3; do
            start=$(date +%s.%N)
            "$wine" "$FOLVANE_CLI" -q --display -o nul "$windows_path" >/dev/null 2>&1 || true
            took=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.3f", b - a }')
            if [ -z "$cli" ] || awk -v t="$took" -v b="$cli" 'BEGIN { exit !(t < b) }'; then cli=$took; fi
            start=$(date +%s.%N)
            "$wine" "$FOLVANE_WINDOW" --quit-after-run "$windows_path" >/dev/null 2>&1 || true
            took=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.3f", b - a }')
            if [ -z "$window" ] || awk -v t="$took" -v b="$window" 'BEGIN { exit !(t < b) }'; then window=$took; fi
        done
        printf '%-10s %6d files  folvane-cli.exe %7.3f s  folvane.exe %7.3f s  ratio %.2f\n' \
            "$mode" "$count" "$cli" "$window" "$(awk -v w="$window" -v c="$cli" 'BEGIN { print w / c }')"
    done
    "$wineserver" -k 2>/dev/null || true
}

folders=()
for count in "${counts[@]}"; do folders+=("$(corpus "$count")"); done

echo "Goal: folvane.exe at most 1.5 times folvane-cli.exe (best of 3 each)."
(unset DISPLAY WAYLAND_DISPLAY; measure "no display" "${folders[@]}")
# A virtual display of its own: Xvfb picks a free display number.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 3>"$display_file" >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; rm -f "$display_file"' EXIT
for _ in $(seq 50); do [ -s "$display_file" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$display_file")"
# With a window manager, as on a desktop: without one, Wine waits 2 s for
# each shown window it hides or destroys to be withdrawn (the progress
# window, the main window at the end), which no program can avoid.
mode="Xvfb"
if command -v openbox >/dev/null; then
    openbox >/dev/null 2>&1 &
    wm=$!
    trap 'kill "$wm" "$xvfb" 2>/dev/null || true; rm -f "$display_file"' EXIT
    sleep 1
    mode="Xvfb+WM"
fi
measure "$mode" "${folders[@]}"
