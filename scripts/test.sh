#!/usr/bin/env bash
# Builds everything and runs the whole test suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh" "$@"
build=${KX_BUILD_DIR:-$root/build}
cd "$build"
ctest --output-on-failure -j"${KX_JOBS:-$(nproc)}"
