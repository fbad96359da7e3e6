#!/usr/bin/env bash
# Builds the Debian package of kx7300 and kxtool (cpack -G DEB) and writes it into OUTDIR
# (default: the build directory, build/ or $KX_BUILD_DIR). Prints the package's path.
# Usage: scripts/package.sh [OUTDIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KX_BUILD_DIR:-$root/build}
out=$(realpath -m "${1:-$build}")
bash "$root/scripts/build.sh" >&2
mkdir -p "$out"
log=$(cd "$build" && cpack -G DEB -B "$out")
rm -rf "$out/_CPack_Packages"
deb=$(sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' <<<"$log")
if [ -z "$deb" ] || [ ! -f "$deb" ]; then
  echo "$log" >&2
  echo "package.sh: cpack made no .deb" >&2
  exit 1
fi
echo "$deb"
