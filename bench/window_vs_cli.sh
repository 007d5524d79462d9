#!/usr/bin/env bash
# The displayed run in the window against folvane-cli over the same files.
# The window runs under Qt's offscreen platform with --quit-after-run: it
# starts, takes the files as one drop, runs "結果表示" (lines into the list,
# totals into the box, progress window shown) and quits. folvane-cli does
# the same run with --display and writes the result to /dev/null.
#   bench/window_vs_cli.sh [COUNT]        (default 20000 files)
set -euo pipefail
cd "$(dirname "$0")/.."
count=${1:-20000}

cmake --preset release >/dev/null
cmake --build --preset release -j 2 --target folvane folvane-cli folvane-mkfixture >/dev/null

corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
./build/release/tools/folvane-mkfixture corpus "$corpus/files" "$count"

now() { date +%s.%N; }
# Best of three, so that one slow start does not decide.
best() {
    local best_time=""
    for _ in 1 2 3; do
        local start end took
        start=$(now)
        "$@" >/dev/null 2>&1
        end=$(now)
        took=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.6f", b - a }')
        if [ -z "$best_time" ] || awk -v t="$took" -v b="$best_time" 'BEGIN { exit !(t < b) }'; then
            best_time=$took
        fi
    done
    echo "$best_time"
}

# Warm the page cache so both read the files from memory.
./build/release/src/folvane-cli -q --display -o /dev/null "$corpus/files"

cli=$(best ./build/release/src/folvane-cli -q --display -o /dev/null "$corpus/files")
window=$(best env QT_QPA_PLATFORM=offscreen ./build/release/src/folvane --quit-after-run "$corpus/files")
ratio=$(awk -v w="$window" -v c="$cli" 'BEGIN { printf "%.6f", w / c }')
printf 'files:       %d\n' "$count"
printf 'folvane-cli: %.3f s\n' "$cli"
printf 'folvane:     %.3f s\n' "$window"
printf 'ratio:       %.2f (window / command line; the goal is at most 2)\n' "$ratio"
