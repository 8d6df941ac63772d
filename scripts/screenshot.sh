#!/usr/bin/env bash
# screenshot.sh <file.png> [window title]: saves the named window (or the whole screen) as PNG.
set -uo pipefail
out=$1; title=${2:-}
if [ -n "$title" ] && import -window "$title" "$out" 2>/dev/null; then exit 0; fi
import -window root "$out"
