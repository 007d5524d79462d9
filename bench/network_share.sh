#!/usr/bin/env bash
# folvane-cli and tiffinfo over a real network file system: a corpus made
# by folvane-mkfixture, served by an sshd started for the run and mounted
# with sshfs over the loopback interface, with a fixed delay added each way
# by a small relay (bench/delay_relay.pl) so that every round trip costs
# what it costs on a file server.
#
# Times, each on a fresh mount (empty caches): folvane-cli given the
# folder and given the files as a list (--files-from), with its default
# number of jobs, -j 1, -j 8, -j 32 and -j 128; one tiffinfo process over
# the list, and 32 of them (xargs -P 32 -n 32), best of ROUNDS rounds
# (default 3); checks that folvane-cli wrote the same bytes every time, and
# prints the ratios.
#
# usage: [ROUNDS=N] [SSHFS_CACHE=no] bench/network_share.sh [COUNT [DELAY_MS]]
#        (default 1000 files, 1 ms each way; DELAY_MS 0: no relay)
#   SSHFS_CACHE=no mounts with sshfs's caches off (-o cache=no): every
#   look-up reaches the server, as on a share nobody listed lately.
#
# Needs root (FUSE, and sshd on a high loopback port); without it, it says
# so and stops with status 77. Installs openssh-server and sshfs when they
# are missing. Everything it starts or mounts is removed at the end, also
# when it fails.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
count=${1:-1000}
delay=${2:-1}
rounds=${ROUNDS:-3}

# shellcheck source=bench/lib_network_share.sh
source "$root/bench/lib_network_share.sh"
network_share_check || exit 77
network_share_install
command -v tiffinfo >/dev/null || {
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends libtiff-tools >&2
}

cmake --preset release >/dev/null
cmake --build --preset release -j2 --target folvane-cli folvane-mkfixture >/dev/null
# FOLVANE_CLI names another build to time, such as an older one.
cli=${FOLVANE_CLI:-$root/build/release/src/folvane-cli}

corpus=$(network_share_corpus "$root" "$count")

work=$(mktemp -d /tmp/folvane-netbench.XXXXXX)
cleanup() {
    network_share_stop
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

network_share_start "$corpus" "$delay"
mnt=$work/share

timed() { network_share_timed "$work" "$mnt" "$@"; }

if [ "${SSHFS_CACHE:-yes}" = no ]; then
    export NETWORK_SHARE_OPTIONS="${NETWORK_SHARE_OPTIONS:-} -o cache=no"
fi
# The same files as a list of paths on the mount, in the folder's order.
(cd "$corpus" && ls -- *.tif) | sed "s|^|$mnt/|" >"$work/list"

echo "corpus: $count files in $corpus, served over sshfs with ${delay} ms added each way"
echo "sshfs options: ${NETWORK_SHARE_OPTIONS:-(defaults)}"
echo "best of $rounds rounds, each run on a fresh mount"
declare -A seconds
keep_best() {  # NAME SECONDS
    if [ -z "${seconds[$1]:-}" ] || awk -v a="$2" -v b="${seconds[$1]}" 'BEGIN { exit !(a < b) }'; then
        seconds[$1]=$2
    fi
}
jobs_tried=(1 8 32 128)
for _ in $(seq "$rounds"); do
    keep_best default "$(timed default "$cli" -q "$mnt")"
    keep_best list_default "$(timed list_default "$cli" -q --files-from "$work/list")"
    for j in "${jobs_tried[@]}"; do
        keep_best "j$j" "$(timed "j$j" "$cli" -q -j "$j" "$mnt")"
        keep_best "list_j$j" "$(timed "list_j$j" "$cli" -q -j "$j" --files-from "$work/list")"
    done
    keep_best tiffinfo "$(timed tiffinfo bash -c 'xargs -d "\n" tiffinfo <"$1"' _ "$work/list")"
    keep_best xargs32 "$(timed xargs32 bash -c 'xargs -d "\n" -P 32 -n 32 tiffinfo <"$1"' _ "$work/list")"
done

for name in list_default j1 j8 j32 j128 list_j1 list_j8 list_j32 list_j128; do
    cmp -s "$work/out.default" "$work/out.$name" ||
        { echo "folvane-cli ($name) wrote other bytes than the default run" >&2; exit 1; }
done

printf '%-30s %9s %9s\n' run "folder s" "list s"
printf '%-30s %9s %9s\n' "folvane-cli (default -j)" "${seconds[default]}" "${seconds[list_default]}"
for j in "${jobs_tried[@]}"; do
    printf '%-30s %9s %9s\n' "folvane-cli -j $j" "${seconds[j$j]}" "${seconds[list_j$j]}"
done
printf '%-30s %9s %9s\n' "tiffinfo, one process" "" "${seconds[tiffinfo]}"
printf '%-30s %9s %9s\n' "xargs -P 32 -n 32 tiffinfo" "" "${seconds[xargs32]}"

for form in "" list_; do
    best=${seconds[${form}default]}
    for j in "${jobs_tried[@]}"; do
        best=$(awk -v a="$best" -v b="${seconds[${form}j$j]}" 'BEGIN { print (b < a ? b : a) }')
    done
    awk -v t="${seconds[tiffinfo]}" -v x="${seconds[xargs32]}" -v d="${seconds[${form}default]}" \
        -v one="${seconds[${form}j1]}" -v b="$best" -v name="${form:-folder}" 'BEGIN {
        sub(/_$/, "", name)
        printf "%s: tiffinfo / default %.2fx (goal: 5 or more), default / xargs -P 32 %.2f (goal: 1 or less),\n", name, t / d, d / x
        printf "%s: default / best -j %.2f (goal: 1.2 or less), -j 1 / tiffinfo %.2f (goal: 1.25 or less)\n", name, d / b, one / t
    }'
done
