#!/usr/bin/env bash
# Builds the fuzz preset (clang, libFuzzer, ASan, UBSan) and fuzzes the
# TIFF reader and the PDF reader (every input goes through both) for
# SECONDS (default 60).
#
# Inputs the fuzzer finds interesting collect in build/fuzz/corpus-work;
# crashes, hangs and leaks are written to build/fuzz/artifacts/. Copy any
# crash into tests/fuzz/corpus/ under a descriptive name once it is fixed,
# so the replay test keeps it fixed.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs" --target reader_fuzzer folvane-fuzz-seeds

work=build/fuzz/corpus-work
seeds=build/fuzz/corpus-seeds
artifacts=build/fuzz/artifacts
mkdir -p "$work" "$seeds" "$artifacts"
# Fresh seeds from the fixture writer, the committed corpus, and real files
# from other writers when the checkout has them beside it. None is copied
# into the repository.
build/fuzz/tests/fuzz/folvane-fuzz-seeds "$seeds"
cp tests/fuzz/corpus/* "$seeds"/
if [ -d ../shared/testdata/libtiff ]; then
    cp ../shared/testdata/libtiff/*.tif "$seeds"/
fi
# Real PDF files from qpdf's test suite (tests/data/qpdf/SOURCES).
cp tests/data/qpdf/*.pdf "$seeds"/

# A directory chain is read in microseconds; one second per input is a hang.
exec build/fuzz/tests/fuzz/reader_fuzzer \
    -max_total_time="$seconds" \
    -max_len=65536 \
    -timeout=1 \
    -rss_limit_mb=1024 \
    -malloc_limit_mb=256 \
    -print_final_stats=1 \
    -artifact_prefix="$artifacts/" \
    "$work" "$seeds"
