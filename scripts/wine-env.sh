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

# Starts one persistent wineserver for this run, creating the prefix on first use (about 8 s).
# Wine's own service processes are started here with their output going nowhere: started by the
# first test instead, they would keep ctest's output pipe open and ctest would wait for them.
wine_start() {
  mkdir -p "$WINEPREFIX"
  # The persistent server goes with the script, also when it is interrupted or ends early.
  trap wine_stop EXIT
  wineserver -p
  wineboot -i </dev/null >/dev/null 2>&1 || true
  # Xvfb has no window manager: unmanaged windows keep Wine from waiting for one (about 2 s at
  # every window it hides or destroys).
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
}
wine_stop() { wineserver -k 2>/dev/null || true; }

# Runs the calling script again inside a new Xvfb display, unless it already runs in one:
#   run_in_xvfb "$0" "$@"
run_in_xvfb() {
  [ -n "${ZL_IN_XVFB:-}" ] && return 0
  ZL_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 ${ZL_SCREEN:-1280x1024x24}" "$@"
}
