#!/usr/bin/env bash
# Builds Folvane and opens the window with the bundled samples on its input
# list. Without a display, lists the samples with the command line instead.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display (DISPLAY and WAYLAND_DISPLAY are empty): listing samples/ with folvane-cli instead." >&2
    # Status 3 says that a sample is not a TIFF file, which is on purpose.
    ./build/release/src/folvane-cli --encoding utf-8 samples || [ $? -eq 3 ]
    exit 0
fi
if [ ! -x ./build/release/src/folvane ]; then
    echo "The window was not built (Qt 6 missing): listing samples/ with folvane-cli instead." >&2
    ./build/release/src/folvane-cli --encoding utf-8 samples || [ $? -eq 3 ]
    exit 0
fi
exec ./build/release/src/folvane samples
