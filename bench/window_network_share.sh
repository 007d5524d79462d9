#!/usr/bin/env bash
# The window's displayed run against folvane-cli's default run over the
# same network folder (sshfs on loopback, a fixed delay each way; see
# bench/lib_network_share.sh). The window runs under Qt's offscreen
# platform with --quit-after-run: one drop, "結果表示", quit. folvane-cli
# does the same run with --display. Each run gets a fresh mount, so both
# start with empty caches; best of ROUNDS rounds (default 3).
#
# usage: [ROUNDS=N] bench/window_network_share.sh [COUNT [DELAY_MS]]
#        (default 1000 files, 1 ms each way)
#
# Needs root (FUSE, sshd on a high loopback port); without it, it says so
# and stops with status 77. Everything it starts or mounts is removed at
# the end, also when it fails.
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

cmake --preset release >/dev/null
cmake --build --preset release -j2 --target folvane folvane-cli folvane-mkfixture >/dev/null
cli=$root/build/release/src/folvane-cli
window=$root/build/release/src/folvane

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

best_cli="" best_window=""
smaller() { awk -v a="$1" -v b="$2" 'BEGIN { print (a == "" || b < a) ? b : a }'; }
echo "corpus: $count files in $corpus, served over sshfs with ${delay} ms added each way"
for _ in $(seq "$rounds"); do
    best_cli=$(smaller "$best_cli" "$(timed cli "$cli" -q --display "$mnt")")
    best_window=$(smaller "$best_window" \
        "$(timed window env QT_QPA_PLATFORM=offscreen "$window" --quit-after-run "$mnt")")
done
printf 'folvane-cli (default -j): %s s\n' "$best_cli"
printf 'folvane (window):         %s s\n' "$best_window"
awk -v w="$best_window" -v c="$best_cli" \
    'BEGIN { printf "ratio:                    %.2f (window / command line; the goal is at most 1.3)\n", w / c }'
