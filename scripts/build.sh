#!/usr/bin/env bash
# Installs missing Debian packages, then configures and builds into build/ (or $KX_BUILD_DIR).
# Extra arguments go to cmake's configure step.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
build=${KX_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja "$@" >/dev/null
ninja -C "$build" -j"${KX_JOBS:-$(nproc)}"
