#!/usr/bin/env bash
# Deciding what the inputs are and reading them on a local disk, given as
# a list (--files-from) and as a folder: stat-family calls per file (strace),
# and wall time warm and cold (page cache dropped; needs root) at the
# default number of jobs and at 1, 2, 4, 8, 16, 32 and 64, against the one-thread
# floor of open + fstat + one 4 KB read + close per file
# (bench/syscall_floor.cpp).
#
# usage: bench/local_inputs.sh [COUNT]   (default 20000)
#   FOLVANE_CLI=PATH times another build (an older one, for a before/after).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
# shellcheck source=bench/lib_timing.sh
source "$root/bench/lib_timing.sh"
count=${1:-20000}
rounds=${ROUNDS:-3}

cmake --preset release >/dev/null
cmake --build --preset release -j2 --target folvane-cli folvane-mkfixture >/dev/null
cli=${FOLVANE_CLI:-$root/build/release/src/folvane-cli}
command -v strace >/dev/null || {
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends strace >&2
}

mkdir -p "$root/build/bench"
corpus=$root/build/bench/inputs-$count
if [ ! -f "$corpus/.complete" ]; then
    rm -rf "$corpus"
    "$root/build/release/tools/folvane-mkfixture" corpus "$corpus" "$count" --with-strips >/dev/null
    touch "$corpus/.complete"
fi
list=$root/build/bench/inputs-$count.list
find "$corpus" -name '*.tif' | sort >"$list"
floor=$root/build/bench/syscall_floor
[ "$floor" -nt bench/syscall_floor.cpp ] || g++ -O2 -std=c++20 -o "$floor" bench/syscall_floor.cpp

# Cold runs start from an empty page cache, where the system allows it.
can_drop=0
if [ -w /proc/sys/vm/drop_caches ]; then can_drop=1; fi
drop_caches() { sync; echo 3 >/proc/sys/vm/drop_caches; }
warm() { xargs cat <"$list" >/dev/null; }

# stat-family calls on paths (fstat of an open file, which glibc makes a
# newfstatat with an empty path, does not count: the reader needs it).
stat_calls() {
    local trace=$root/build/bench/strace.out
    strace -f -qq -e trace=stat,lstat,newfstatat,statx -o "$trace" "$@" >/dev/null 2>&1 || true
    # A call another thread interrupted shows twice: counted at its start.
    grep -v -E -e 'newfstatat\([0-9]+, ""' -e 'resumed>' "$trace" | grep -c 'stat' || true
}

echo "corpus: $count files in $corpus; $(nproc) processors"
list_stats=$(stat_calls "$cli" -q -o /dev/null --files-from "$list")
folder_stats=$(stat_calls "$cli" -q -o /dev/null "$corpus")
awk -v n="$count" -v l="$list_stats" -v f="$folder_stats" 'BEGIN {
    printf "stat-family calls: list %d (%.3f a file, goal: 1 or less), folder %d (%.3f a file)\n",
        l, l / n, f, f / n
}'

temperatures=(warm)
[ "$can_drop" = 1 ] && temperatures+=(cold) || echo "(not root: no cold runs)"
printf '%-6s %-26s %9s %9s\n' cache run "list s" "folder s"
for temperature in "${temperatures[@]}"; do
    prepare=warm
    [ "$temperature" = cold ] && prepare=drop_caches
    floor_s=$(BEFORE_EACH_RUN=$prepare best_seconds "$rounds" "$floor" "$list")
    printf '%-6s %-26s %9s %9s\n' "$temperature" "floor (1 thread)" "$floor_s" ""
    best=""
    for jobs in default 1 2 4 8 16 32 64; do
        option=()
        [ "$jobs" = default ] || option=(-j "$jobs")
        l=$(BEFORE_EACH_RUN=$prepare best_seconds "$rounds" "$cli" -q -o /dev/null "${option[@]}" --files-from "$list")
        f=$(BEFORE_EACH_RUN=$prepare best_seconds "$rounds" "$cli" -q -o /dev/null "${option[@]}" "$corpus")
        printf '%-6s %-26s %9s %9s\n' "$temperature" "folvane-cli -j $jobs" "$l" "$f"
        [ "$jobs" = default ] && default_s=$l
        if [ "$jobs" = 2 ]; then two_s=$l; fi
        if [ -z "$best" ] || awk -v a="$l" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$l; fi
    done
    awk -v d="$default_s" -v fl="$floor_s" -v b="$best" -v two="$two_s" -v t="$temperature" 'BEGIN {
        printf "%s: default / floor %.2f (goal: 1.1 or less), -j 2 / floor %.2f (goal: below 1), default / best -j %.2f (goal: 1.1 or less)\n",
            t, d / fl, two / fl, d / b
    }'
done
