#!/usr/bin/env bash
# Peak memory of one folvane-cli direct run over 10,000 and over 40,000
# files in one folder, written to /dev/null. Apart from the input list
# itself (a few dozen bytes per path), the peak must not grow with the
# number of files: each file's pages and lines are dropped once written.
#
# usage: bench/memory_flat.sh [SMALL LARGE]   (default 10000 40000)
set -euo pipefail
cd "$(dirname "$0")/.."

small=${1:-10000}
large=${2:-40000}

cmake --preset release >/dev/null
cmake --build --preset release -j2 --target folvane-cli folvane-mkfixture >/dev/null

cli=$PWD/build/release/src/folvane-cli
corpus() {
    local dir=$PWD/build/bench/flat-$1
    if [ ! -f "$dir/.complete" ]; then
        rm -rf "$dir"
        build/release/tools/folvane-mkfixture corpus "$dir" "$1"
        touch "$dir/.complete"
    fi
    echo "$dir"
}

tmp=$(mktemp)
trap 'rm -f "$tmp"' EXIT

# Peak resident KiB of one direct run over a folder.
peak() {
    /usr/bin/time -f "%M" -o "$tmp" "$cli" -q -o /dev/null "$1"
    cat "$tmp"
}

small_dir=$(corpus "$small")
large_dir=$(corpus "$large")
small_peak=$(peak "$small_dir")
large_peak=$(peak "$large_dir")
# The paths the input list holds, for comparison with the growth.
path_bytes=$(( $(find "$large_dir" -name '*.tif' | wc -c) - $(find "$small_dir" -name '*.tif' | wc -c) ))

printf '%8s files: peak %6d KiB\n' "$small" "$small_peak" "$large" "$large_peak"
awk -v s="$small_peak" -v l="$large_peak" -v n=$((large - small)) -v p="$path_bytes" 'BEGIN {
    d = l - s
    printf "difference: %d KiB for %d more files (%.1f bytes per file; the extra paths alone are %.1f KiB)\n",
        d, n, d * 1024 / n, p / 1024
}'
