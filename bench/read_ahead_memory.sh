#!/usr/bin/env bash
# Peak memory of folvane-cli over files of very many pages: what is read
# ahead is bounded by bytes, so more jobs must not multiply the memory.
#
# 1. FILES copies of one file of PAGES pages (copies, not hard links: a run
#    counts a file once however many names it has), for -j 1, 2, 4 and 8
#    (goal: -j 4 at most twice -j 1).
# 2. SMALL one-page files and then HUGE files of PAGES pages each (copies:
#    each a file of its own, some 12 MB at 100,000 pages), for -j 1, 32 (the
#    network default) and 256: the small files make small results expected,
#    so every thread comes upon a huge file at once (goal: -j 256 within
#    1.5 times -j 1). Set SMALL=0 to leave this case out.
#
# usage: [SMALL=3000] [HUGE=256] bench/read_ahead_memory.sh [FILES [PAGES]]
#        (default 200 files of 100,000 pages)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
files=${1:-200}
pages=${2:-100000}
small=${SMALL:-3000}
huge=${HUGE:-256}

cmake --preset release >/dev/null
cmake --build --preset release -j2 --target folvane-cli folvane-mkfixture >/dev/null
cli=${FOLVANE_CLI:-$root/build/release/src/folvane-cli}

corpus=$root/build/bench/pages-$pages-copies-$files
if [ ! -f "$corpus/.complete" ]; then
    rm -rf "$corpus"
    "$root/build/release/tools/folvane-mkfixture" corpus "$corpus" 1 --pages "$pages"
    for i in $(seq 2 "$files"); do
        cp "$corpus/scan000001.tif" "$corpus/$(printf 'scan%06d.tif' "$i")"
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

[ "$small" -gt 0 ] || exit 0
mixed=$root/build/bench/small-$small-then-$huge-of-$pages
if [ ! -f "$mixed/.complete" ]; then
    rm -rf "$mixed"
    mkdir -p "$mixed"
    "$root/build/release/tools/folvane-mkfixture" corpus "$mixed/small" "$small"
    for i in $(seq "$huge"); do
        cp "$corpus/scan000001.tif" "$mixed/$(printf 'z-huge%04d.tif' "$i")"
    done
    # The list in the run's order: every small file before the first huge one.
    { find "$mixed/small" -name '*.tif' | sort; find "$mixed" -maxdepth 1 -name 'z-huge*.tif' | sort; } \
        >"$mixed/list.txt"
    touch "$mixed/.complete"
fi
cat "$mixed"/z-huge*.tif >/dev/null  # warm the page cache

echo
echo "$small one-page files, then $huge files of $pages pages"
printf '%-6s %9s %12s %8s\n' jobs "wall s" "peak KiB" "vs -j 1"
one=
for j in 1 32 256; do
    start=$(date +%s%N)
    /usr/bin/time -f "%M" -o "$tmp" "$cli" -q -j "$j" -o /dev/null --files-from "$mixed/list.txt" ||
        [ $? -eq 3 ]
    end=$(date +%s%N)
    peak=$(cat "$tmp")
    one=${one:-$peak}
    printf '%-6s %9s %12s %8s\n' "$j" "$(awk -v n=$((end - start)) 'BEGIN { printf "%.2f", n / 1e9 }')" \
        "$peak" "$(awk -v p="$peak" -v o="$one" 'BEGIN { printf "%.2fx", p / o }')"
done
