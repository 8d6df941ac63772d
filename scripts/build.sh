#!/usr/bin/env bash
# build.sh x64|x86 [target...]: configures (once) and builds the 64-bit or 32-bit tree under build/.
set -euo pipefail
cd "$(dirname "$0")/.."
arch=${1:?x64 or x86}; shift
case "$arch" in
  x64) toolchain=cmake/toolchain-x86_64-w64-mingw32.cmake ;;
  x86) toolchain=cmake/toolchain-i686-w64-mingw32.cmake ;;
  *) echo "unknown architecture $arch" >&2; exit 2 ;;
esac
dir=${ZL_BUILD_DIR:-build/$arch}
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release >/dev/null
elif ! grep -q "^CMAKE_TOOLCHAIN_FILE:FILEPATH=.*/$(basename "$toolchain")\$" "$dir/CMakeCache.txt"; then
  # A tree configured for the other architecture would be rebuilt as it is, not as asked.
  echo "$dir is configured for another architecture than $arch" >&2
  exit 2
fi
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$dir" -j "$(nproc)" "${targets[@]}"
