#!/usr/bin/env bash
# Prints every report of the Reports menu with `cdzapp --print` over a generated catalogue of
# 10,000 songs and 1,000 albums, and checks each PDF: the command's exit and page count, the
# page count the PDF itself holds, a first page that carries text, one card per record for the
# card reports. Lists each report's pages, size and time.
# usage: every_report.sh CDZAPP CDZGEN [FOLDER]   (FOLDER keeps the PDFs to look at)
set -uo pipefail
app=$(realpath "$1") gen=$(realpath "$2")
songs=10000 albums=1000
work=$(mktemp -d)
keep=${3:+$(realpath "$3")}
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
cd "$work" || exit 1
command -v gs >/dev/null || { echo "ghostscript (gs) is needed to read the PDFs"; exit 1; }

"$gen" --into "$work/data" --songs "$songs" --seed 7 >/dev/null 2>&1 || { echo "cdzgen failed"; exit 1; }

# The program lists its reports when asked for one it does not know.
mapfile -t reports < <("$app" --print NO-SUCH-REPORT --pdf "$work/none.pdf" --data-dir "$work/data" 2>&1 |
    sed -n 's/^  \([A-Z0-9:]*\)$/\1/p')
if [ "${#reports[@]}" -lt 31 ]; then
    echo "only ${#reports[@]} reports listed: ${reports[*]}"
    exit 1
fi

bad=0
printf '%-28s %7s %10s %7s\n' REPORT PAGES BYTES SECONDS
for name in "${reports[@]}"; do
    pdf="$work/$(tr ':' '_' <<<"$name").pdf"
    extra=()
    case "$name" in
        PRINTONEALBUM) extra=(--album 1) ;;
        PRINTPLAYLIST*) extra=(--playlist 1) ;;  # the generator's "Chart Week 1"
    esac
    start=$(date +%s%N)
    out=$("$app" --print "$name" --pdf "$pdf" --data-dir "$work/data" "${extra[@]}" 2>&1)
    status=$?
    tenths=$((($(date +%s%N) - start) / 100000000))
    said=$(sed -n "s/^$name: \([0-9]*\) pages* written.*/\1/p" <<<"$out")
    if [ "$status" -ne 0 ] || [ -z "$said" ] || [ ! -s "$pdf" ]; then
        echo "$name: exit $status: $out"
        bad=1
        continue
    fi
    held=$(grep -a -o '/Count [0-9]*' "$pdf" | sort -t' ' -k2 -n | tail -n 1 | cut -d' ' -f2)
    printf '%-28s %7s %10s %5d.%d\n' "$name" "$said" "$(stat -c %s "$pdf")" $((tenths / 10)) $((tenths % 10))
    if [ "$held" != "$said" ]; then
        echo "$name: the command says $said pages, the PDF holds ${held:-none}"
        bad=1
    fi
    case "$name" in
        PRINTINDEX:SONG* | PRINTROTARY:SONG*) want=$songs ;;
        PRINTINDEX:ALBUM* | PRINTROTARY:ALBUM*) want=$albums ;;
        *) want=$said ;;
    esac
    if [ "$said" != "$want" ]; then
        echo "$name: $said cards for $want records"
        bad=1
    fi
    [ -n "$keep" ] && cp "$pdf" "$keep/"
    text=$(gs -q -dNOPAUSE -dBATCH -sDEVICE=txtwrite -dFirstPage=1 -dLastPage=1 \
        -sOutputFile=- "$pdf" 2>/dev/null | tr -d '\000[:space:]')
    if [ -z "$text" ]; then
        echo "$name: the first page carries no text"
        bad=1
    fi
done
exit $bad
