#!/usr/bin/env bash
# Runs every benchmark under Wine; each prints ratios measured side by side in one run.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
run_in_xvfb "$0" "$@"
wine_start
rc=0
for b in "${ZL_BUILD_DIR:-build/x64}"/bench/*/bench_*.exe; do
  [ -e "$b" ] || continue
  echo "== $(basename "$b")"
  wine "$b" || rc=1
done
wine_stop
exit $rc
