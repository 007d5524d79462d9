#!/usr/bin/env bash
# How much faster folvane-cli lists a folder of scans than tiffinfo does.
#
# Both tools get the same 20,000 valid files (1 to 3 pages each, with a
# small Group 4 strip per page so that tiffinfo accepts every page), from a
# warm page cache, each as ONE process over all the files. Prints the times,
# the peak memory and the ratio tiffinfo / folvane-cli (target: 4 or more).
#
# usage: bench/cli_vs_tiffinfo.sh [COUNT]   (default 20000)
set -euo pipefail
cd "$(dirname "$0")/.."

count=${1:-20000}
runs=3

command -v tiffinfo >/dev/null || { echo "tiffinfo is missing (apt-get install libtiff-tools)"; exit 1; }
cmake --preset release >/dev/null
cmake --build --preset release -j2 --target folvane-cli folvane-mkfixture >/dev/null

root=$PWD
# shellcheck source=bench/lib_timing.sh
source "$root/bench/lib_timing.sh"
cli=$root/build/release/src/folvane-cli
dir=$root/build/bench/strips-$count
if [ ! -f "$dir/.complete" ]; then
    rm -rf "$dir"
    "$root/build/release/tools/folvane-mkfixture" corpus "$dir" "$count" --with-strips
    touch "$dir/.complete"
fi
cd "$dir"
files=(*.tif)
echo "corpus: ${#files[@]} files, $(du -sk . | cut -f1) KiB in $dir"
# Warm the page cache so both tools read from memory.
cat -- "${files[@]}" >/dev/null

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

read -r f_wall f_cpu f_peak <<<"$(best "$runs" "$tmp" "$cli" -q -o /dev/null .)"
read -r t_wall t_cpu t_peak <<<"$(best "$runs" "$tmp" tiffinfo "${files[@]}")"

printf '%-12s %9s %9s %12s\n' tool "wall s" "cpu s" "peak KiB"
printf '%-12s %9s %9s %12s\n' folvane-cli "$f_wall" "$f_cpu" "$f_peak"
printf '%-12s %9s %9s %12s\n' tiffinfo "$t_wall" "$t_cpu" "$t_peak"
awk -v t="$t_wall" -v f="$f_wall" 'BEGIN { printf "ratio tiffinfo/folvane (wall): %.1fx\n", t / f }'
