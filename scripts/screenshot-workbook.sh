#!/usr/bin/env bash
# Retakes the pictures of the workbook in docs/: folvane-cli --format xlsx
# over samples/, opened in LibreOffice Calc headless and printed to PDF as
# the workbook's own page setup has it (A4 across, one page wide, grid and
# header row), its first two pages (the page sheet and the totals sheet)
# rendered to PNG with pdftoppm and cut to the table.
#   scripts/screenshot-workbook.sh [CLI]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
cli=$(realpath "${1:-build/dev/src/folvane-cli}")
for tool in soffice pdftoppm; do
    command -v "$tool" >/dev/null || { echo "screenshot-workbook: $tool is missing (scripts/setup.sh)"; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/scans"
cp samples/* "$work/scans/"
(cd "$work" && "$cli" -q --format xlsx -o SizeList.xlsx scans 2>/dev/null) || true
soffice --headless --norestore --convert-to pdf --outdir "$work" "$work/SizeList.xlsx" >/dev/null 2>&1
# The page sheet: 21 columns scaled to the paper's width, so at a high
# resolution; the totals sheet at an ordinary one. Cut at the tables' edges.
pdftoppm -png -singlefile -r 200 -f 1 -l 1 -x 125 -y 140 -W 2085 -H 165 \
    "$work/SizeList.pdf" "$root/docs/workbook-pages"
pdftoppm -png -singlefile -r 110 -f 2 -l 2 -x 66 -y 75 -W 1150 -H 420 \
    "$work/SizeList.pdf" "$root/docs/workbook-totals"
# The help page carries the totals picture itself, so that it stays one
# file wherever it is installed.
python3 - "$root/help/Folvane.html" "$root/docs/workbook-totals.png" <<'PYTHON'
import base64, re, sys
page, picture = sys.argv[1:3]
with open(picture, "rb") as f:
    data = base64.b64encode(f.read()).decode()
with open(page, encoding="utf-8") as f:
    html = f.read()
html = re.sub(r'(id="workbook-picture"[^>]*src="data:image/png;base64,)[^"]*"', r'\g<1>' + data + '"', html)
with open(page, "w", encoding="utf-8") as f:
    f.write(html)
PYTHON
echo "screenshot-workbook: docs/workbook-pages.png, docs/workbook-totals.png, help/Folvane.html"
