#!/usr/bin/env bash
# Builds Folvane and lists the bundled samples with the command line.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"
./build/release/src/folvane-cli --encoding utf-8 samples
