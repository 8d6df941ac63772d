#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12, only when something is missing.
set -euo pipefail

need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
for p in cmake make g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev g++-mingw-w64-i686-posix \
         mingw-w64-i686-dev wine wine64 xvfb xauth locales fonts-ipafont-gothic googletest \
         x11-apps imagemagick; do
  have_pkg "$p" || need+=("$p")
done

if [ ${#need[@]} -gt 0 ]; then
  echo "Installing: ${need[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

# Wine takes its ANSI code page from the Unix locale: ja_JP.UTF-8 gives code page 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
