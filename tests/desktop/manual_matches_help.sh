#!/usr/bin/env bash
# manual_matches_help.sh PROGRAM PAGE: every option PROGRAM --help lists is in the built manual
# page PAGE (roff), in the same order with the same words, and the page lists no other.
set -euo pipefail
program=$1 page=$2

# "names<TAB>help" per option of --help: an entry starts two spaces in, its help follows after
# two or more spaces and goes on in the lines indented further.
"$program" --help | awk '
    /^Options:/ { on = 1; next }
    !on { next }
    /^  [^ ]/ {
        if (entry != "") print entry
        line = substr($0, 3)
        split_at = match(line, /  +/)
        entry = substr(line, 1, split_at - 1) "\t" substr(line, split_at + RLENGTH)
        next
    }
    /^   +/ { sub(/^ +/, ""); entry = entry " " $0 }
    END { if (entry != "") print entry }
' >"${TMPDIR:-/tmp}/help.$$"

# The same from the page's .TP entries of OPTIONS and COMMANDS, unescaped.
awk '
    /^\.SH / { on = ($2 == "OPTIONS" || $2 == "COMMANDS"); next }
    !on { next }
    /^\.TP/ { if (entry != "") print entry; entry = ""; want = "term"; next }
    /^\./ { if (entry != "") print entry; entry = ""; want = ""; next }
    want == "term" { entry = $0 "\t"; want = "text"; next }
    want == "text" { entry = entry (entry ~ /\t$/ ? "" : " ") $0 }
    END { if (entry != "") print entry }
' "$page" | sed -e 's/\\f[BIR]//g' -e 's/\\-/-/g' -e 's/\\&//g' -e 's/\\e/\\/g' \
    >"${TMPDIR:-/tmp}/page.$$"

status=0
diff -u --label "$program --help" --label "$page" "${TMPDIR:-/tmp}/help.$$" \
    "${TMPDIR:-/tmp}/page.$$" || status=1
[ -s "${TMPDIR:-/tmp}/help.$$" ] || { echo "no options read from --help"; status=1; }
echo "$(wc -l <"${TMPDIR:-/tmp}/help.$$") options compared"
rm -f "${TMPDIR:-/tmp}/help.$$" "${TMPDIR:-/tmp}/page.$$"
exit "$status"
