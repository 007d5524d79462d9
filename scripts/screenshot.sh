#!/usr/bin/env bash
# Takes docs/screenshot.png: the window after "結果表示" over samples/,
# started for real on a virtual X display (Xvfb).
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

# --run presses "結果表示" once the window is up, as a person would.
export FOLVANE_SHOT="$output"
xvfb-run -a -s "-screen 0 1024x640x24" bash -c '
    ./build/release/src/folvane --run samples &
    pid=$!
    sleep 3
    import -window root "$FOLVANE_SHOT"
    kill "$pid"
'
# Without a window manager the window sits at the top left on black: cut
# the black away.
convert "$output" -trim +repage "$output"
echo "wrote $output"
