#!/usr/bin/env bash
# Starts Zelvano under Wine. Without an X display it runs in Xvfb for a few seconds and saves a
# screenshot of its window as build/screenshot.png.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
exe="${ZL_BUILD_DIR:-build/x64}/app/zelvano.exe"
if [ -n "${DISPLAY:-}" ] && [ -z "${ZL_IN_XVFB:-}" ]; then
  wine_start
  wine "$exe"
  wine_stop
  exit 0
fi
ZL_SCREEN=1024x768x24 run_in_xvfb "$0" "$@"
wine_start
wine "$exe" &
pid=$!
sleep "${ZL_SHOT_DELAY:-6}"
mkdir -p build
scripts/screenshot.sh build/screenshot.png "${ZL_SHOT_WINDOW:-Zelvano}"
kill "$pid" 2>/dev/null
wine_stop
wait "$pid" 2>/dev/null
echo "screenshot: build/screenshot.png"
