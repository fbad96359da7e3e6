#!/usr/bin/env bash
# Builds the program, generates the demo site and shows the example pile.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
build=${KX_BUILD_DIR:-$root/build}
kxtool=$build/src/cli/kxtool
bash "$root/scripts/make-demo-site.sh" "$kxtool" "$root/examples/demo-site" >/dev/null
# The site opens as a project once its raw files are imported as analysis files.
(cd "$build" && "$kxtool" import "$root/examples/demo-site" --overwrite all >/dev/null)
# Diagnostic dump files go to the current directory; keep them out of the checkout.
mkdir -p "$build/run" && cd "$build/run"
"$kxtool" info "$root/examples/pile-example.kxd"
