#!/usr/bin/env bash
# Runs every test executable under Wine, in an X server in memory, and ends with CTest's summary.
# Arguments go to ctest (for instance -R core).
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
run_in_xvfb "$0" "$@"
wine_start
ctest --test-dir "${ZL_BUILD_DIR:-build/x64}" --output-on-failure --no-tests=error "$@"
rc=$?
wine_stop
exit $rc
