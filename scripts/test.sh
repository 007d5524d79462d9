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

# The workbooks of both command lines read back by LibreOffice, against the
# tables and the text report.
windows_cli=build/windows/src/folvane-cli.exe
[ -f "$windows_cli" ] || windows_cli=""
bash scripts/check-workbook.sh build/dev/src/folvane-cli $windows_cli

# The .deb and the Windows .zip made from those two builds, and what they hold.
bash scripts/check-packages.sh build/dev build/windows
