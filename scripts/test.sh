#!/usr/bin/env bash
# Builds Folvane and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

jobs=$(nproc)
cmake --preset dev
cmake --build --preset dev -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --preset dev -j "$jobs"

# The same core and command line built for Windows, tested under Wine.
bash scripts/test-windows.sh

# The .deb and the Windows .zip made from those two builds, and what they hold.
bash scripts/check-packages.sh build/dev build/windows
