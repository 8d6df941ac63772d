#!/usr/bin/env bash
# Runs every benchmark under Wine; each prints ratios measured side by side in one run.
set -uo pipefail
cd "$(dirname "$0")/.."
if [ -z "${ZL_IN_XVFB:-}" ] && [ -z "${DISPLAY:-}" ]; then
  ZL_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
source scripts/wine-env.sh
wine_start
rc=0
for b in build/x64/bench/*/bench_*.exe; do
  [ -e "$b" ] || continue
  echo "== $(basename "$b")"
  wine "$b" || rc=1
done
wine_stop
exit $rc
