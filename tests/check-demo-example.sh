#!/bin/sh
# The committed example raw file must be exactly what the demo-site script makes of pile 3
# today, so the example never drifts from the generator.
# Usage: tests/check-demo-example.sh KXTOOL SOURCE_DIR
set -eu
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$2/scripts/make-demo-site.sh" "$1" "$dir"
cmp "$dir/3.kxd" "$2/examples/pile-example.kxd"
