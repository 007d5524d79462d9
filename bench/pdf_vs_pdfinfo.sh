#!/usr/bin/env bash
# How fast folvane-cli --pdf lists scanned PDF files, against the tools an
# office would use instead: poppler's pdfinfo (one process per file, every
# page's boxes) and ExifTool (one process over the folder).
#
#  1. One scanned document of 1,000 A4 pages (a G4 image of 40 KB each,
#     about 40 MB): folvane-cli --pdf, warm, best of 3. Target: under 0.2 s.
#  2. A folder of COUNT scanned documents of 3 pages (default 1,000):
#     folvane-cli --pdf over the folder, `pdfinfo -f 1 -l -1 -box` looping
#     over the files, and `exiftool` over the folder, warm, best of 3 each,
#     with the ratios. Targets: pdfinfo/folvane 3x or more, exiftool/folvane
#     10x or more.
#
# poppler-utils and libimage-exiftool-perl are installed for this script
# only (the tests never need them).
#
# usage: bench/pdf_vs_pdfinfo.sh [COUNT]
set -euo pipefail
cd "$(dirname "$0")/.."

count=${1:-1000}
runs=3

missing=()
command -v pdfinfo >/dev/null || missing+=(poppler-utils)
command -v exiftool >/dev/null || missing+=(libimage-exiftool-perl)
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    $sudo apt-get install -y -q "${missing[@]}" >/dev/null
fi

cmake --preset release >/dev/null
cmake --build --preset release -j2 --target folvane-cli folvane-mkpdf >/dev/null

root=$PWD
# shellcheck source=bench/lib_timing.sh
source "$root/bench/lib_timing.sh"
cli=$root/build/release/src/folvane-cli
mkpdf=$root/build/release/tools/folvane-mkpdf
work=$root/build/bench/pdf
mkdir -p "$work"
big=$work/scan-1000-pages.pdf
[ -f "$big" ] || "$mkpdf" scan "$big" 1000
dir=$work/files-$count
if [ ! -f "$dir/.complete" ]; then
    rm -rf "$dir"
    "$mkpdf" corpus "$dir" "$count"
    touch "$dir/.complete"
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT


# pdfinfo as a script would loop it: one process per file, every page.
cat >"$tmp/pdfinfo-loop.sh" <<'LOOP'
for f in "$1"/*.pdf; do pdfinfo -f 1 -l -1 -box "$f" || exit 1; done
LOOP

cat "$big" "$dir"/*.pdf >/dev/null # a warm page cache for every tool
pages=$("$cli" --pdf -q --columns pages --no-size-summary --encoding utf-8 "$big" | head -1)
echo "1. $big: $(du -k "$big" | cut -f1) KiB,$pages"
read -r b_wall b_cpu b_peak <<<"$(best "$runs" "$tmp" "$cli" --pdf -q -o /dev/null "$big")"
printf '%-12s %9s %9s %12s\n' tool "wall s" "cpu s" "peak KiB"
printf '%-12s %9s %9s %12s\n' folvane-cli "$b_wall" "$b_cpu" "$b_peak"
awk -v w="$b_wall" 'BEGIN { printf "target under 0.2 s: %s\n", w < 0.2 ? "met" : "NOT met" }'
echo

echo "2. $dir: $count files, $(du -sk "$dir" | cut -f1) KiB"
read -r f_wall f_cpu f_peak <<<"$(best "$runs" "$tmp" "$cli" --pdf -q -o /dev/null "$dir")"
read -r p_wall p_cpu p_peak <<<"$(best "$runs" "$tmp" bash "$tmp/pdfinfo-loop.sh" "$dir")"
read -r e_wall e_cpu e_peak <<<"$(best "$runs" "$tmp" exiftool -q -q "$dir")"
printf '%-12s %9s %9s %12s\n' tool "wall s" "cpu s" "peak KiB"
printf '%-12s %9s %9s %12s\n' folvane-cli "$f_wall" "$f_cpu" "$f_peak"
printf '%-12s %9s %9s %12s\n' pdfinfo "$p_wall" "$p_cpu" "$p_peak"
printf '%-12s %9s %9s %12s\n' exiftool "$e_wall" "$e_cpu" "$e_peak"
awk -v p="$p_wall" -v e="$e_wall" -v f="$f_wall" 'BEGIN {
    printf "ratio pdfinfo/folvane (wall): %.1fx (target 3x)\n", p / f
    printf "ratio exiftool/folvane (wall): %.1fx (target 10x)\n", e / f
}'
# On a shared machine the processor time is steadier than the wall time.
awk -v p="$p_cpu" -v e="$e_cpu" -v f="$f_cpu" 'BEGIN {
    if (f > 0) printf "ratio pdfinfo/folvane (cpu): %.1fx, exiftool/folvane (cpu): %.1fx\n", p / f, e / f
}'
