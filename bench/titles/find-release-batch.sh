#!/bin/bash
# bench/titles/find-release-batch.sh BUILD-TREE [DELAY-MS]: 20 barcodes looked up one after the
# other with `cdzapp --find-release`, against the stand-in answering after DELAY-MS (default
# 300); prints the whole time, the time a request, and the requests' spacing as the stand-in
# saw it.
set -euo pipefail
tree=${1:?build tree}
delay=${2:-300}
here=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'kill "$standin" 2>/dev/null || true; rm -rf "$work"' EXIT
"$tree/bin/cdztitlestandin" "$here/tests/app/albums/cd/answers" "$delay" \
    > "$work/port" 2> "$work/requests" &
standin=$!
for _ in $(seq 50); do [ -s "$work/port" ] && break; sleep 0.1; done
printf '[Settings]\nMusicBrainzServer=http://127.0.0.1:%s\n' "$(cat "$work/port")" \
    > "$work/CDZSETS.INI"
export XDG_CACHE_HOME=$work/cache QT_QPA_PLATFORM=offscreen
start=$(date +%s.%N)
for i in $(seq -w 1 20); do
    "$tree/bin/cdzapp" --data-dir "$work" --find-release "barcode:72438426$(printf '%04d' "$((10#$i))")" \
        --limit 5 > /dev/null
done
end=$(date +%s.%N)
echo "20 requests, stand-in delay ${delay} ms: $(echo "$end - $start" | bc) s," \
     "$(echo "scale=3; ($end - $start) / 20" | bc) s a request"
awk '{ t = $4; if (NR > 1) { gap = t - last; if (min == "" || gap < min) min = gap;
       if (gap > max) max = gap } last = t }
     END { printf "requests seen: %d, spacing %d to %d ms\n", NR, min, max }' "$work/requests"
