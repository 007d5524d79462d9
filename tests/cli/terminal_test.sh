#!/usr/bin/env bash
# folvane-cli on a terminal, through a pseudo-terminal made by script(1):
# a UTF-8 terminal shows readable Japanese, a terminal of another locale gets
# code page 932, and a redirected standard output still gets the Shift-JIS
# result file whatever standard error is.
#   terminal_test.sh FOLVANE_CLI SAMPLES
set -euo pipefail
cli=$1
samples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# "枚" and "総合計" as UTF-8 and as code page 932.
mai_utf8=$'\xe6\x9e\x9a'
mai_cp932=$'\x96\x87'
total_utf8=$'\xe7\xb7\x8f\xe5\x90\x88\xe8\xa8\x88'

failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}
has() { LC_ALL=C grep -qF -- "$2" "$1"; }

# Runs COMMAND (a shell line) on a fresh pseudo-terminal with locale $1;
# what the terminal received goes to $work/tty.
on_terminal() {
    local locale=$1
    shift
    LC_ALL=$locale script -qec "$*" /dev/null >"$work/tty" 2>&1 </dev/null || true
}

if ! script -qec true /dev/null >/dev/null 2>&1 </dev/null; then
    echo "no pseudo-terminal here: skipped"
    exit 77
fi

# A UTF-8 terminal: the results and the totals in UTF-8, no Shift-JIS.
on_terminal C.UTF-8 "'$cli' -q '$samples'"
has "$work/tty" "3 $mai_utf8" || fail "UTF-8 terminal: no readable '3 枚'"
has "$work/tty" "$total_utf8" || fail "UTF-8 terminal: no readable '総合計'"
has "$work/tty" "$mai_cp932" && fail "UTF-8 terminal: Shift-JIS bytes shown"

# The same run redirected: the file is Shift-JIS, the terminal gets no result.
on_terminal C.UTF-8 "'$cli' -q '$samples' > '$work/out.txt'"
has "$work/out.txt" "3 $mai_cp932" || fail "redirected: out.txt is not Shift-JIS"
has "$work/out.txt" "$mai_utf8" && fail "redirected: out.txt holds UTF-8"
# (Standard error still names the sample that is not a TIFF file there.)
if has "$work/tty" "$mai_utf8" || has "$work/tty" "$mai_cp932"; then
    fail "redirected: the terminal got results"
fi

# Standard error on the terminal, standard output into a file: the message
# is readable on the terminal.
on_terminal C.UTF-8 "'$cli' -q '$work/無い.tif' > '$work/out.txt'"
has "$work/tty" $'\xe8\xa6\x8b\xe3\x81\xa4\xe3\x81\x8b\xe3\x82\x8a\xe3\x81\xbe\xe3\x81\x9b\xe3\x82\x93' ||
    fail "UTF-8 terminal: the message '見つかりません' is not readable"

# A workbook never goes to a terminal, by whatever name it is given.
on_terminal C.UTF-8 "'$cli' -q --format xlsx -o /dev/stdout '$samples'; echo \"status \$?\""
has "$work/tty" "status 2" || fail "a workbook to /dev/stdout on a terminal was not refused"
has "$work/tty" "a workbook cannot go to a terminal" || fail "no word on the refused workbook"
has "$work/tty" "PK" && fail "workbook bytes reached the terminal"

# A terminal whose locale is not UTF-8 keeps code page 932.
on_terminal C "'$cli' -q '$samples'"
has "$work/tty" "3 $mai_cp932" || fail "C locale terminal: not code page 932"

# --encoding decides when given, on a terminal too.
on_terminal C.UTF-8 "'$cli' -q --encoding cp932 '$samples'"
has "$work/tty" "3 $mai_cp932" || fail "--encoding cp932 on a UTF-8 terminal: not code page 932"

# A table on a terminal: no byte-order mark, which only spreadsheets need.
on_terminal C.UTF-8 "'$cli' -q --format table '$samples'"
has "$work/tty" $'\xef\xbb\xbf' && fail "table on a terminal: byte-order mark shown"
has "$work/tty" "$mai_utf8" || has "$work/tty" $'\xe3\x83\x9a\xe3\x83\xbc\xe3\x82\xb8' ||
    fail "table on a terminal: not UTF-8"

# A locale named UTF-8 that the system does not have (common in
# containers) still means a UTF-8 terminal.
on_terminal xx_YY.UTF-8 "'$cli' -q '$samples'"
has "$work/tty" "3 $mai_utf8" || fail "xx_YY.UTF-8 (not installed): not UTF-8"
LANG=xx_YY.UTF-8 LC_ALL= LC_CTYPE= script -qec "'$cli' -q '$samples'" /dev/null >"$work/tty" 2>&1 </dev/null || true
has "$work/tty" "3 $mai_utf8" || fail "LANG=xx_YY.UTF-8 (not installed): not UTF-8"

# Results and the progress line on the same terminal: the progress line is
# erased before results are written, and results are sent whole lines at a
# time, so what the terminal shows is the results, line for line, as a
# file would hold them. (More than 64 KiB of results, so that a buffer
# once ended mid-line under the last progress line.)
mkdir "$work/many"
for i in $(seq 1000); do cp "$samples/a4_200dpi.tif" "$work/many/scan$i.tif"; done
"$cli" -q --encoding utf-8 "$work/many" >"$work/expected.txt"
on_terminal C.UTF-8 "'$cli' -j 1 '$work/many'"
# What a terminal shows: CR returns to the start of the line, ESC [ K
# erases to its end, LF ends it.
perl -CS -Mutf8 -e '
    binmode STDIN, ":encoding(UTF-8)";
    local $/; my $text = <STDIN>; my @shown; my @line; my $col = 0;
    while ($text =~ /\G(\r|\n|\e\[K|.)/gs) {
        my $t = $1;
        if ($t eq "\r") { $col = 0 }
        elsif ($t eq "\n") { push @shown, join("", @line); @line = (); $col = 0 }
        elsif ($t eq "\e[K") { splice @line, $col }
        else { $line[$col++] = $t }
    }
    push @shown, join("", @line) if @line;
    print "$_\n" for @shown;' <"$work/tty" >"$work/shown.txt"
tr -d '\r' <"$work/expected.txt" >"$work/expected-lf.txt"
cmp -s "$work/shown.txt" "$work/expected-lf.txt" ||
    fail "results and progress on one terminal: the terminal does not show the results as written ($(diff "$work/expected-lf.txt" "$work/shown.txt" | head -4 | tr '\n' ' '))"

exit "$failed"
