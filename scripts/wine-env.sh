# Sourced by the run and test scripts: a Wine prefix inside the build tree, the Japanese locale
# (code page 932), quiet output, and no prompts to install Mono or Gecko.
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bdir=${ZL_BUILD_DIR:-build/x64}
case "$bdir" in /*) ;; *) bdir="$top/$bdir" ;; esac
export WINEPREFIX="$bdir/wineprefix"
export WINEDEBUG=-all
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="

# Creates the prefix on first use (about 8 s) and starts one persistent wineserver for this run.
wine_start() {
  mkdir -p "$WINEPREFIX"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true
  fi
  wineserver -p
}
wine_stop() { wineserver -k 2>/dev/null || true; }
