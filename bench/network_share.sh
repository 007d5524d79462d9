#!/usr/bin/env bash
# folvane-cli and tiffinfo over a real network file system: a corpus made
# by folvane-mkfixture, served by an sshd started for the run and mounted
# with sshfs over the loopback interface, with a fixed delay added each way
# by a small relay (bench/delay_relay.pl) so that every round trip costs
# what it costs on a file server.
#
# Times, each on a fresh mount (empty caches): folvane-cli with its default
# number of jobs, with -j 1, -j 8 and -j 32, and one tiffinfo process over
# the same files, best of ROUNDS rounds (default 3); checks that
# folvane-cli wrote the same bytes every time, and prints the ratios.
#
# usage: [ROUNDS=N] bench/network_share.sh [COUNT [DELAY_MS]]
#        (default 1000 files, 1 ms each way; DELAY_MS 0: no relay)
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

echo "corpus: $count files in $corpus, served over sshfs with ${delay} ms added each way"
echo "best of $rounds rounds, each run on a fresh mount"
declare -A seconds
keep_best() {  # NAME SECONDS
    if [ -z "${seconds[$1]:-}" ] || awk -v a="$2" -v b="${seconds[$1]}" 'BEGIN { exit !(a < b) }'; then
        seconds[$1]=$2
    fi
}
# Rounds rather than repeats in a row, so that a busy moment of the machine
# does not fall on one tool only.
for _ in $(seq "$rounds"); do
    keep_best default "$(timed default "$cli" -q "$mnt")"
    for j in 1 8 32; do
        keep_best "j$j" "$(timed "j$j" "$cli" -q -j "$j" "$mnt")"
    done
    # The shell lists the folder for tiffinfo inside the timed command, as
    # folvane-cli lists it itself.
    keep_best tiffinfo "$(timed tiffinfo bash -c 'exec tiffinfo "$1"/*.tif' _ "$mnt")"
done

for name in j1 j8 j32; do
    cmp -s "$work/out.default" "$work/out.$name" ||
        { echo "folvane-cli -${name/j/j } wrote other bytes than the default run" >&2; exit 1; }
done

printf '%-24s %9s\n' run "wall s"
printf '%-24s %9s\n' "folvane-cli (default -j)" "${seconds[default]}"
for j in 1 8 32; do printf '%-24s %9s\n' "folvane-cli -j $j" "${seconds[j$j]}"; done
printf '%-24s %9s\n' tiffinfo "${seconds[tiffinfo]}"

best=${seconds[default]}
for j in 1 8 32; do
    best=$(awk -v a="$best" -v b="${seconds[j$j]}" 'BEGIN { print (b < a ? b : a) }')
done
awk -v t="${seconds[tiffinfo]}" -v d="${seconds[default]}" -v one="${seconds[j1]}" -v b="$best" 'BEGIN {
    printf "tiffinfo / default:      %.2fx  (goal: 3 or more)\n", t / d
    printf "default / best -j:       %.2fx  (goal: 1.2 or less)\n", d / b
    printf "-j 1 / tiffinfo:         %.2fx  (goal: 1 or less)\n", one / t
}'
