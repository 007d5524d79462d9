#!/usr/bin/env bash
# Wall time and peak memory of folvane-cli --format xlsx over 100,000
# pages (1,000 files of 100 pages, a warm page cache), best of 3, beside the
# text table over the same files; and the peak over 10 times as many pages,
# which must stay about the same (the workbook is written in constant
# memory). Targets: under 2 s and under 100 MB for 100,000 pages.
#
# usage: bench/xlsx.sh [FILES [PAGES]]   (default 1000 100)
set -euo pipefail
cd "$(dirname "$0")/.."

files=${1:-1000}
pages=${2:-100}

cmake --preset release >/dev/null
cmake --build --preset release -j2 --target folvane-cli folvane-mkfixture >/dev/null
cli=$PWD/build/release/src/folvane-cli

corpus() { # FILES PAGES
    local dir=$PWD/build/bench/xlsx-$1x$2
    if [ ! -f "$dir/.complete" ]; then
        rm -rf "$dir"
        build/release/tools/folvane-mkfixture corpus "$dir" "$1" --nested --pages "$2" >/dev/null
        touch "$dir/.complete"
    fi
    echo "$dir"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Best wall seconds of 3 runs, the peak resident KiB of the last, and the
# processor seconds (user + system) of the best: on a shared machine the
# wall time includes waiting for a core.
measure() { # OUTPUT ARGS...
    local best="" cpu="" out=$1
    shift
    for _ in 1 2 3; do
        /usr/bin/time -f "%e %M %U %S" -o "$work/time" "$cli" -q -r -o "$work/$out" "$@"
        local seconds kib user system
        read -r seconds kib user system <"$work/time"
        if [ -z "$best" ] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then
            best=$seconds
            cpu=$(awk -v u="$user" -v s="$system" 'BEGIN { print u + s }')
        fi
    done
    echo "$best $kib $cpu"
}

dir=$(corpus "$files" "$pages")
total=$((files * pages))
read -r xlsx_s xlsx_kib xlsx_cpu < <(measure book.xlsx --format xlsx "$dir")
read -r table_s table_kib table_cpu < <(measure table.csv --format table "$dir")
size=$(stat -c %s "$work/book.xlsx")
printf '%d pages as xlsx:  %6.2f s (processor %.2f s), peak %7d KiB (%d bytes of workbook)\n' \
    "$total" "$xlsx_s" "$xlsx_cpu" "$xlsx_kib" "$size"
printf '%d pages as table: %6.2f s (processor %.2f s), peak %7d KiB\n' \
    "$total" "$table_s" "$table_cpu" "$table_kib"
echo "load average now: $(cut -d' ' -f1-3 /proc/loadavg)"
awk -v x="$xlsx_s" -v k="$xlsx_kib" 'BEGIN {
    printf "targets: time %.2f of 2 s (%s), memory %.1f of 100 MB (%s)\n",
        x, x < 2 ? "met" : "MISSED", k / 1024, k / 1024 < 100 ? "met" : "MISSED"
}'

big=$(corpus "$((files * 10))" "$pages")
read -r big_s big_kib _ < <(measure big.xlsx --format xlsx "$big")
printf '%d pages as xlsx:  %6.2f s, peak %7d KiB (%.2f times the peak of %d pages)\n' \
    "$((total * 10))" "$big_s" "$big_kib" "$(awk -v a="$big_kib" -v b="$xlsx_kib" 'BEGIN { print a / b }')" "$total"
