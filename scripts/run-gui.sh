#!/usr/bin/env bash
# Builds the desktop program kx7300 when needed and starts it. Arguments are passed on.
# KX_BUILD_DIR picks another build directory (default: build/ in the repository).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KX_BUILD_DIR:-$root/build}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja
fi
cmake --build "$build" --target kx7300 -j 2
exec "$build/src/ui/kx7300" "$@"
