#!/usr/bin/env bash
# Runs every test executable under Wine, in an X server in memory, and ends with CTest's summary.
set -uo pipefail
cd "$(dirname "$0")/.."
if [ -z "${ZL_IN_XVFB:-}" ] && [ -z "${DISPLAY:-}" ]; then
  ZL_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
source scripts/wine-env.sh
wine_start
ctest --test-dir "${ZL_BUILD_DIR:-build/x64}" --output-on-failure "$@"
rc=$?
wine_stop
exit $rc
