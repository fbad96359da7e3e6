#!/usr/bin/env bash
# Builds everything, generates the demo site and starts the desktop program kx7300 on it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
build=${KX_BUILD_DIR:-$root/build}
kxtool=$build/src/cli/kxtool
bash "$root/scripts/make-demo-site.sh" "$kxtool" "$root/examples/demo-site" >/dev/null
# Diagnostic dump files go to the current directory; keep them out of the checkout.
mkdir -p "$build/run" && cd "$build/run"
# The site opens as a project once its raw files are imported as analysis files.
"$kxtool" import "$root/examples/demo-site" --overwrite all >/dev/null
echo "Demo site: $root/examples/demo-site"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: showing the example pile with kxtool instead of starting kx7300." >&2
  echo "(On a desktop, or under 'xvfb-run -a bash scripts/run.sh', the window opens.)" >&2
  exec "$kxtool" info "$root/examples/pile-example.kxd"
fi
exec "$build/src/ui/kx7300" "$root/examples/demo-site" "$@"
