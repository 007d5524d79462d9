#!/usr/bin/env bash
# Builds the fuzz preset (clang, libFuzzer, ASan, UBSan) and fuzzes for
# SECONDS (default 60) one target: `reader` (the default: the TIFF reader
# and the PDF reader, every input going through both) or `lists` (the
# decoder of --files-from lists: encodings, separators).
#
#   bash scripts/fuzz.sh [SECONDS] [reader|lists]
#
# Inputs the fuzzer finds interesting collect in build/fuzz/corpus-work
# (lists: build/fuzz/list-corpus-work); crashes, hangs and leaks are
# written to build/fuzz/artifacts/. Copy any crash into tests/fuzz/corpus/
# (lists: tests/fuzz/list-corpus/) under a descriptive name once it is
# fixed, so the replay tests keep it fixed.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
target=${2:-reader}
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))

artifacts=build/fuzz/artifacts
cmake --preset fuzz >/dev/null
case $target in
reader)
    cmake --build --preset fuzz -j "$jobs" --target reader_fuzzer folvane-fuzz-seeds
    work=build/fuzz/corpus-work
    seeds=build/fuzz/corpus-seeds
    mkdir -p "$work" "$seeds" "$artifacts"
    # Fresh seeds from the fixture writer, the committed corpus, and real
    # files from other writers when the checkout has them beside it. None
    # is copied into the repository.
    build/fuzz/tests/fuzz/folvane-fuzz-seeds "$seeds"
    cp tests/fuzz/corpus/* "$seeds"/
    if [ -d ../shared/testdata/libtiff ]; then
        cp ../shared/testdata/libtiff/*.tif "$seeds"/
    fi
    # Real PDF files from qpdf's test suite (tests/data/qpdf/SOURCES).
    cp tests/data/qpdf/*.pdf "$seeds"/
    fuzzer=build/fuzz/tests/fuzz/reader_fuzzer
    ;;
lists)
    cmake --build --preset fuzz -j "$jobs" --target path_list_fuzzer
    work=build/fuzz/list-corpus-work
    # Lists as editors, find -print0 and PowerShell write them, and lists
    # that must be refused (Shift-JIS, NULs that separate nothing).
    seeds=tests/fuzz/list-corpus
    mkdir -p "$work" "$artifacts"
    fuzzer=build/fuzz/tests/fuzz/path_list_fuzzer
    ;;
*)
    echo "usage: bash scripts/fuzz.sh [SECONDS] [reader|lists]" >&2
    exit 2
    ;;
esac

# A directory chain or a list is read in microseconds; one second per input
# is a hang.
exec "$fuzzer" \
    -max_total_time="$seconds" \
    -max_len=65536 \
    -timeout=1 \
    -rss_limit_mb=1024 \
    -malloc_limit_mb=256 \
    -print_final_stats=1 \
    -artifact_prefix="$artifacts/" \
    "$work" "$seeds"
