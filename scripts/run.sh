#!/usr/bin/env bash
# Starts Zelvano under Wine. Without an X display it runs in Xvfb for a few seconds and saves a
# screenshot of its window as build/screenshot.png.
set -uo pipefail
cd "$(dirname "$0")/.."
exe=build/x64/app/zelvano.exe
source scripts/wine-env.sh
if [ -n "${DISPLAY:-}" ] && [ -z "${ZL_IN_XVFB:-}" ]; then
  wine_start
  wine "$exe"
  wine_stop
  exit 0
fi
if [ -z "${ZL_IN_XVFB:-}" ]; then
  ZL_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
wine_start
wine "$exe" &
pid=$!
sleep "${ZL_SHOT_DELAY:-6}"
scripts/screenshot.sh build/screenshot.png "${ZL_SHOT_WINDOW:-Zelvano}"
kill "$pid" 2>/dev/null
wine_stop
wait "$pid" 2>/dev/null
echo "screenshot: build/screenshot.png"
