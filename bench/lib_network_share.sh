# Serving a folder over sshfs on the loopback interface, for benchmarks that
# need a real network file system. Source this file, then:
#
#   network_share_check || exit 77     # root and FUSE present? says why not
#   network_share_install              # openssh-server, sshfs (apt-get)
#   network_share_start DIR DELAY_MS   # sshd for DIR on a high loopback port
#   network_share_mount MOUNTPOINT     # a fresh sshfs mount of DIR
#   network_share_unmount MOUNTPOINT
#   network_share_stop                 # unmounts what is left, stops sshd
#   network_share_corpus ROOT COUNT    # prints the folder of a cached corpus
#   network_share_timed WORK MNT NAME COMMAND...
#                                      # wall seconds of COMMAND on a fresh mount
#
# Call network_share_stop from an EXIT trap so that a failing benchmark
# still leaves no mount, no server and no key behind.
#
# sshd runs for the benchmark only, from a configuration and keys made for
# it in a temporary folder, and listens on 127.0.0.1 alone. With DELAY_MS
# above 0, ssh reaches it through bench/delay_relay.pl, which holds every
# chunk back DELAY_MS milliseconds each way, as a network would. (tc netem
# on the loopback device would delay every program's loopback traffic on
# the machine, not only ours.)

NETWORK_SHARE_LIB_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
NETWORK_SHARE_STATE=""
NETWORK_SHARE_SSHD_PID=""
NETWORK_SHARE_DIR=""

network_share_check() {
    if [ "$(id -u)" -ne 0 ]; then
        echo "This benchmark needs root: it mounts with FUSE and starts sshd for the run." >&2
        return 1
    fi
    if [ ! -c /dev/fuse ]; then
        echo "This benchmark needs FUSE, and /dev/fuse is missing (a container without it?)." >&2
        return 1
    fi
    return 0
}

network_share_install() {
    local packages=(openssh-server openssh-client sshfs fuse3 perl) missing=() p
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}" >&2
    apt-get update -q >&2
    # Debian would start the system's sshd on port 22 after installing it;
    # this benchmark starts its own and leaves the system's alone.
    DEBIAN_FRONTEND=noninteractive RUNLEVEL=1 \
        apt-get install -y -q --no-install-recommends "${missing[@]}" >&2
}

# Starts sshd serving DIR (an absolute path); DELAY_MS 0 connects directly.
network_share_start() {
    local dir=$1 delay=${2:-0} port="" attempt
    NETWORK_SHARE_DIR=$dir
    NETWORK_SHARE_STATE=$(mktemp -d /tmp/folvane-share.XXXXXX)
    local s=$NETWORK_SHARE_STATE
    ssh-keygen -q -t ed25519 -N '' -f "$s/host_key" >/dev/null
    ssh-keygen -q -t ed25519 -N '' -f "$s/client_key" >/dev/null
    cp "$s/client_key.pub" "$s/authorized_keys"
    chmod 600 "$s/authorized_keys"
    mkdir -p /run/sshd  # sshd's privilege separation folder

    for attempt in 1 2 3 4 5; do
        port=$((40000 + RANDOM % 20000))
        cat >"$s/sshd_config" <<EOF
Port $port
ListenAddress 127.0.0.1
HostKey $s/host_key
PidFile $s/sshd.pid
AuthorizedKeysFile $s/authorized_keys
PermitRootLogin prohibit-password
PasswordAuthentication no
KbdInteractiveAuthentication no
UsePAM no
StrictModes no
Subsystem sftp internal-sftp
LogLevel ERROR
EOF
        /usr/sbin/sshd -D -e -f "$s/sshd_config" 2>"$s/sshd.log" &
        NETWORK_SHARE_SSHD_PID=$!
        local tries
        for tries in $(seq 50); do
            if ! kill -0 "$NETWORK_SHARE_SSHD_PID" 2>/dev/null; then break; fi
            if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then break 2; fi
            sleep 0.1
        done
        kill "$NETWORK_SHARE_SSHD_PID" 2>/dev/null || true
        wait "$NETWORK_SHARE_SSHD_PID" 2>/dev/null || true
        NETWORK_SHARE_SSHD_PID=""
    done
    if [ -z "$NETWORK_SHARE_SSHD_PID" ]; then
        echo "sshd did not start:" >&2
        cat "$s/sshd.log" >&2
        return 1
    fi

    {
        echo "Host folvane-share"
        echo "  HostName 127.0.0.1"
        echo "  Port $port"
        echo "  User root"
        echo "  IdentityFile $s/client_key"
        echo "  IdentitiesOnly yes"
        echo "  StrictHostKeyChecking no"
        echo "  UserKnownHostsFile /dev/null"
        echo "  BatchMode yes"
        echo "  LogLevel ERROR"
        if [ "$delay" != 0 ]; then
            echo "  ProxyCommand perl $NETWORK_SHARE_LIB_DIR/delay_relay.pl 127.0.0.1 $port $delay"
        fi
    } >"$s/ssh_config"
}

# Mounts the served folder at MOUNTPOINT with sshfs's default caching, as a
# user would. A fresh mount starts with empty caches. NETWORK_SHARE_OPTIONS
# adds sshfs options: "-o direct_io" sends every read to the server, as
# file systems without a page cache of their own do.
network_share_mount() {
    local mountpoint=$1
    mkdir -p "$mountpoint"
    # shellcheck disable=SC2086 # options split as given
    sshfs -F "$NETWORK_SHARE_STATE/ssh_config" ${NETWORK_SHARE_OPTIONS:-} \
        "folvane-share:$NETWORK_SHARE_DIR" "$mountpoint" || return 1
    # Kept in a file, not a variable: mounts made in a subshell count too.
    echo "$mountpoint" >>"$NETWORK_SHARE_STATE/mounts"
}

network_share_unmount() {
    fusermount3 -u "$1" 2>/dev/null || fusermount3 -uz "$1" 2>/dev/null || true
}

network_share_stop() {
    local m
    if [ -n "$NETWORK_SHARE_STATE" ] && [ -f "$NETWORK_SHARE_STATE/mounts" ]; then
        while read -r m; do
            if mountpoint -q "$m" 2>/dev/null; then network_share_unmount "$m"; fi
        done <"$NETWORK_SHARE_STATE/mounts"
    fi
    if [ -n "$NETWORK_SHARE_SSHD_PID" ]; then
        kill "$NETWORK_SHARE_SSHD_PID" 2>/dev/null || true
        wait "$NETWORK_SHARE_SSHD_PID" 2>/dev/null || true
        NETWORK_SHARE_SSHD_PID=""
    fi
    if [ -n "$NETWORK_SHARE_STATE" ]; then
        rm -rf "$NETWORK_SHARE_STATE"
        NETWORK_SHARE_STATE=""
    fi
}

# A corpus of COUNT files made by folvane-mkfixture under ROOT/build/bench,
# made once and kept; prints its folder.
network_share_corpus() {
    local root=$1 count=$2
    local corpus=$root/build/bench/network-$count
    if [ ! -f "$corpus/.complete" ]; then
        rm -rf "$corpus"
        "$root/build/release/tools/folvane-mkfixture" corpus "$corpus" "$count" --with-strips >&2
        touch "$corpus/.complete"
    fi
    echo "$corpus"
}

# Prints the wall seconds of COMMAND run on a fresh mount at MNT; its
# output goes to WORK/out.NAME, its messages to WORK/err.NAME. Exit status
# 3 (some files need a look) counts as done; any other failure stops.
network_share_timed() {
    local work=$1 mnt=$2 name=$3 start end status=0
    shift 3
    network_share_mount "$mnt" || { echo "sshfs could not mount the share" >&2; exit 1; }
    start=$(date +%s%N)
    "$@" >"$work/out.$name" 2>"$work/err.$name" || status=$?
    end=$(date +%s%N)
    network_share_unmount "$mnt"
    if [ "$status" -ne 0 ] && [ "$status" -ne 3 ]; then
        echo "$name failed with status $status:" >&2
        tail -5 "$work/err.$name" >&2
        exit 1
    fi
    awk -v n=$((end - start)) 'BEGIN { printf "%.3f", n / 1e9 }'
}
