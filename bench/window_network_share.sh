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

if [ "${SSHFS_CACHE:-yes}" = no ]; then
    export NETWORK_SHARE_OPTIONS="${NETWORK_SHARE_OPTIONS:-} -o cache=no"
fi
# The files one by one, as a drop of files selected in a file manager.
(cd "$corpus" && ls -- *.tif) | sed "s|^|$mnt/|" >"$work/list"
mapfile -t listed <"$work/list"

smaller() { awk -v a="$1" -v b="$2" 'BEGIN { print (a == "" || b < a) ? b : a }'; }
echo "corpus: $count files in $corpus, served over sshfs with ${delay} ms added each way"
echo "sshfs options: ${NETWORK_SHARE_OPTIONS:-(defaults)}"
declare -A best
for _ in $(seq "$rounds"); do
    best[cli]=$(smaller "${best[cli]:-}" "$(timed cli "$cli" -q --display "$mnt")")
    best[window]=$(smaller "${best[window]:-}" \
        "$(timed window env QT_QPA_PLATFORM=offscreen "$window" --quit-after-run "$mnt")")
    best[cli_list]=$(smaller "${best[cli_list]:-}" \
        "$(timed cli_list "$cli" -q --display --files-from "$work/list")")
    best[window_list]=$(smaller "${best[window_list]:-}" \
        "$(timed window_list env QT_QPA_PLATFORM=offscreen "$window" --quit-after-run "${listed[@]}")")
done
printf '%-28s %9s %9s\n' "" "folder s" "files s"
printf '%-28s %9s %9s\n' "folvane-cli (default -j)" "${best[cli]}" "${best[cli_list]}"
printf '%-28s %9s %9s\n' "folvane (window)" "${best[window]}" "${best[window_list]}"
awk -v w="${best[window]}" -v c="${best[cli]}" -v wl="${best[window_list]}" -v cl="${best[cli_list]}" \
    'BEGIN { printf "ratio window / command line: folder %.2f, files dropped %.2f (goal: at most 1.3)\n", w / c, wl / cl }'
