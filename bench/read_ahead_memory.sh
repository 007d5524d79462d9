#!/usr/bin/env bash
# Peak memory of folvane-cli over files of very many pages, for -j 1, 2, 4
# and 8: what is read ahead is bounded by bytes, so more jobs must not
# multiply the memory (goal: -j 4 at most twice -j 1).
#
# The files are FILES names of one file of PAGES pages (hard links: the
# reader reads each name in full, and the disk holds the pages once).
#
# usage: bench/read_ahead_memory.sh [FILES [PAGES]]   (default 200 files of 100,000 pages)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
files=${1:-200}
pages=${2:-100000}

cmake --preset release >/dev/null
cmake --build --preset release -j2 --target folvane-cli folvane-mkfixture >/dev/null
cli=${FOLVANE_CLI:-$root/build/release/src/folvane-cli}

corpus=$root/build/bench/pages-$pages-x$files
if [ ! -f "$corpus/.complete" ]; then
    rm -rf "$corpus"
    "$root/build/release/tools/folvane-mkfixture" corpus "$corpus" 1 --pages "$pages"
    for i in $(seq 2 "$files"); do
        ln "$corpus/scan000001.tif" "$corpus/$(printf 'scan%06d.tif' "$i")"
    done
    touch "$corpus/.complete"
fi
cat "$corpus/scan000001.tif" >/dev/null  # warm the page cache

tmp=$(mktemp)
trap 'rm -f "$tmp"' EXIT
echo "$files files of $pages pages, $(du -k "$corpus/scan000001.tif" | cut -f1) KiB each"
printf '%-6s %9s %12s\n' jobs "wall s" "peak KiB"
for j in 1 2 4 8; do
    start=$(date +%s%N)
    /usr/bin/time -f "%M" -o "$tmp" "$cli" -q -j "$j" -o /dev/null "$corpus" || [ $? -eq 3 ]
    end=$(date +%s%N)
    printf '%-6s %9s %12s\n' "$j" "$(awk -v n=$((end - start)) 'BEGIN { printf "%.2f", n / 1e9 }')" \
        "$(cat "$tmp")"
done
