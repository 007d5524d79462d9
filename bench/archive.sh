#!/usr/bin/env bash
# The archive options at scale: reading ahead on two threads against one,
# the CSV table against the direct file, and peak memory of a recursive run
# over 100,000 files against one over 10,000 (it must stay flat: only the
# input list grows, by the length of each path).
#
# usage: bench/archive.sh [COUNT]   (default 20000)
set -euo pipefail
cd "$(dirname "$0")/.."

count=${1:-20000}
cmake --preset release >/dev/null
cmake --build --preset release -j2 --target folvane-cli folvane-mkfixture >/dev/null

root=$PWD
# shellcheck source=bench/lib_timing.sh
source "$root/bench/lib_timing.sh"
cli=$root/build/release/src/folvane-cli
make_corpus() {  # DIR COUNT
    if [ ! -f "$1/.complete" ]; then
        rm -rf "$1"
        "$root/build/release/tools/folvane-mkfixture" corpus "$1" "$2" --nested
        touch "$1/.complete"
    fi
    find "$1" -name '*.tif' -exec cat {} + >/dev/null  # warm the page cache
}

peak_kib() {
    /usr/bin/time -f "%M" -o "$root/build/bench/peak" "$@" >/dev/null 2>&1 || true
    cat "$root/build/bench/peak"
}

mkdir -p build/bench
corpus=$root/build/bench/nested-$count
make_corpus "$corpus" "$count"

one=$(best_seconds 3 "$cli" -q -r -j 1 -o /dev/null "$corpus")
two=$(best_seconds 3 "$cli" -q -r -j 2 -o /dev/null "$corpus")
echo "jobs: -j 1 ${one}s, -j 2 ${two}s over $count files; ratio $(awk -v a="$one" -v b="$two" 'BEGIN { printf "%.2f", a / b }')"

direct=$(best_seconds 3 "$cli" -q -r -j 1 -o /dev/null "$corpus")
table=$(best_seconds 3 "$cli" -q -r -j 1 --format table -o /dev/null "$corpus")
echo "table: direct ${direct}s, table ${table}s; ratio table/direct $(awk -v a="$table" -v b="$direct" 'BEGIN { printf "%.2f", a / b }')"

small=$root/build/bench/nested-10000
large=$root/build/bench/nested-100000
make_corpus "$small" 10000
make_corpus "$large" 100000
for format in direct table; do
    s=$(peak_kib "$cli" -q -r -j 2 --format "$format" -o /dev/null "$small")
    l=$(peak_kib "$cli" -q -r -j 2 --format "$format" -o /dev/null "$large")
    echo "memory ($format, -r -j 2): 10,000 files ${s} KiB, 100,000 files ${l} KiB; difference $((l - s)) KiB"
done
