#!/usr/bin/env python3
"""Checks a workbook, as LibreOffice read it back into one CSV file per
sheet, against the command line's table, folder table and text report
over the same files.

usage: check_workbook.py SHEETS_PREFIX TABLE.csv FOLDERS.csv DISPLAY.txt

SHEETS_PREFIX-ページ.csv, -集計.csv, ... are LibreOffice's CSV files (UTF-8);
the table and folder CSV are folvane-cli's (--encoding utf-8); the display
file is folvane-cli --display --encoding utf-8. "\\" is taken as "/" in
paths, so that a Windows program's workbook compares with Linux tables.
"""
import csv
import re
import sys


def rows(path):
    with open(path, encoding="utf-8-sig", newline="") as f:
        return [[cell.replace("\\", "/") for cell in row] for row in csv.reader(f)]


def same_cell(a, b):
    if a == b:
        return True
    try:
        return float(a) == float(b)
    except ValueError:
        return False


def same_row(a, b):
    return len(a) == len(b) and all(same_cell(x, y) for x, y in zip(a, b))


def fail(message):
    print("check_workbook: " + message)
    sys.exit(1)


def main():
    prefix, table_path, folders_path, display_path = sys.argv[1:5]
    table = rows(table_path)
    pages = rows(prefix + "-ページ.csv")
    # The page sheet: the table's columns, then the colour class.
    if pages[0] != table[0] + ["色区分"]:
        fail("page sheet header %r" % pages[0])
    if len(pages) != len(table):
        fail("page sheet has %d rows, the table %d" % (len(pages), len(table)))
    colours = {"白黒", "グレー", "カラー", "不明", ""}
    for number, (sheet_row, table_row) in enumerate(zip(pages, table)):
        if not same_row(sheet_row[:-1], table_row):
            fail("page sheet row %d %r, table %r" % (number, sheet_row, table_row))
        if number > 0 and sheet_row[-1] not in colours:
            fail("colour class %r" % sheet_row[-1])

    folders = rows(prefix + "-フォルダ別.csv")
    expected = rows(folders_path)
    if len(folders) != len(expected) or not all(map(same_row, folders, expected)):
        fail("folder sheet differs from --format folders")

    # The totals against the text report's per-size counts and grand total.
    with open(display_path, encoding="utf-8") as f:
        report = f.read().replace("\r\n", "\n")
    summary = report[report.index("サイズ別枚数"):].split("\n")
    report_pages = {}
    for line in summary[2:10]:
        cells = line.split("\t")
        # "A4<TAB>n..." or "A3<TAB>n...<TAB>B4<TAB>n...": a size, then counts.
        size = None
        for cell in cells:
            if re.fullmatch(r"[AB]\d|Other", cell):
                size = cell
                report_pages[size] = 0
            elif size and cell.strip().isdigit():
                report_pages[size] += int(cell)
    grand = int(re.search(r"総合計\t(\d+) 枚", report).group(1))
    totals = {}
    for row in rows(prefix + "-集計.csv")[1:]:
        if row[0] == "全解像度":
            totals[row[2]] = int(float(row[-2]))
    for size, count in report_pages.items():
        sheet_count = totals.get(size, 0) + (totals.get("なし", 0) if size == "Other" else 0)
        if sheet_count != count:
            fail("%s: %d pages in the totals sheet, %d in the text report" % (size, sheet_count, count))
    if totals.get("総合計") != grand:
        fail("grand total %r, text report %d" % (totals.get("総合計"), grand))
    page_rows = sum(1 for row in table[1:] if row[17] == "正常")
    if grand != page_rows:
        fail("grand total %d, %d page rows" % (grand, page_rows))

    # Every file and path with a problem, with its reason.
    problems = {(row[0], row[18]) for row in table[1:] if row[17] != "正常"}
    errors = {(row[0], row[2]) for row in rows(prefix + "-エラー.csv")[1:]}
    if problems != errors:
        fail("error sheet %r, table %r" % (sorted(errors)[:5], sorted(problems)[:5]))

    info = dict((row[0], row[1]) for row in rows(prefix + "-情報.csv")[1:])
    if not info.get("プログラム", "").startswith("Folvane "):
        fail("information sheet %r" % info)
    print("check_workbook: %d pages, %d folders, %d problems, totals as the text report"
          % (grand, len(folders) - 1, len(errors)))


main()
