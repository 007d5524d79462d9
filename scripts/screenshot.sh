#!/usr/bin/env bash
# Takes docs/screenshot.png: the window after "結果表示" over a copy of
# samples/ in a folder named as a scanning desk would name it, started for
# real on a virtual X display (Xvfb).
#   scripts/screenshot.sh [OUTPUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
output=${1:-docs/screenshot.png}

bash scripts/setup.sh
if ! command -v import >/dev/null; then
    apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends imagemagick
fi
cmake --preset release >/dev/null
cmake --build --preset release -j 2 --target folvane
mkdir -p "$(dirname "$output")"

# The list shows full paths: a folder of the month's scans reads better in
# the picture than the checkout's.
scans=/tmp/スキャン/2026-12
rm -rf /tmp/スキャン
mkdir -p "$scans"
cp samples/* "$scans"/
trap 'rm -rf /tmp/スキャン' EXIT

# --run presses "結果表示" once the window is up, as a person would.
export FOLVANE_SHOT="$output" FOLVANE_SCANS="$scans"
xvfb-run -a -s "-screen 0 1024x640x24" bash -c '
    ./build/release/src/folvane --run "$FOLVANE_SCANS" &
    pid=$!
    sleep 3
    import -window root "$FOLVANE_SHOT"
    kill "$pid"
'
# Without a window manager the window sits at the top left on black: cut
# the black away.
convert "$output" -trim +repage "$output"
echo "wrote $output"
