# shellcheck shell=bash
# Timing helpers the benchmark scripts share; source it. The machine is
# shared, so each number is the best of a few runs.

# measure TMP COMMAND...: runs COMMAND once (its output discarded, TMP a
# scratch folder); prints wall seconds, processor seconds (user + system)
# and peak resident KiB (of the largest process). A failure stops the
# script.
measure() {
    local tmp=$1 start end user sys peak
    shift
    start=$(date +%s%N)
    /usr/bin/time -f "%U %S %M" -o "$tmp/time" "$@" >/dev/null 2>"$tmp/stderr" || {
        echo "failed: $*" >&2
        tail -5 "$tmp/stderr" >&2
        exit 1
    }
    end=$(date +%s%N)
    read -r user sys peak <"$tmp/time"
    awk -v w=$((end - start)) -v u="$user" -v s="$sys" -v p="$peak" \
        'BEGIN { printf "%.3f %.2f %d\n", w / 1e9, u + s, p }'
}

# best RUNS TMP COMMAND...: the line of `measure` with the least wall time
# of RUNS runs.
best() {
    local runs=$1 best_line="" line
    shift
    for _ in $(seq "$runs"); do
        line=$(measure "$@")
        if [ -z "$best_line" ] || awk -v a="$line" -v b="$best_line" \
            'BEGIN { split(a, x, " "); split(b, y, " "); exit !(x[1] < y[1]) }'; then
            best_line=$line
        fi
    done
    echo "$best_line"
}

# best_seconds RUNS COMMAND...: the least wall seconds of RUNS runs; exit
# status 3 (files with errors) counts as done. BEFORE_EACH_RUN, when set,
# names a command run before each (to warm or drop the page cache).
best_seconds() {
    local runs=$1 best="" start end t
    shift
    for _ in $(seq "$runs"); do
        if [ -n "${BEFORE_EACH_RUN:-}" ]; then $BEFORE_EACH_RUN; fi
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1 || [ $? -eq 3 ]
        end=$(date +%s%N)
        t=$(awk -v n=$((end - start)) 'BEGIN { printf "%.3f", n / 1e9 }')
        if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$t; fi
    done
    echo "$best"
}
