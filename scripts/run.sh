#!/usr/bin/env bash
# Builds the program and starts it on the example pile shipped in examples/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
build=${KX_BUILD_DIR:-$root/build}
# Diagnostic dump files go to the current directory; keep them out of the checkout.
mkdir -p "$build/run" && cd "$build/run"
"$build/src/cli/kxtool" info "$root/examples/pile-example.kxd"
