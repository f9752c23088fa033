#!/usr/bin/env bash
# validate_desktop_files.sh DESKTOP METAINFO: the desktop entry and the metainfo pass the
# desktop's own validators; skipped (77) where they are not installed.
set -euo pipefail
for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
desktop-file-validate "$1"
appstreamcli validate --no-net --pedantic "$2"
