#!/usr/bin/env bash
# The MIME declaration: well-formed XML that update-mime-database compiles without a complaint
# into the globs and the magic of both file types.
# Usage: check-mime.sh MIME.xml
set -euo pipefail
xml=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

xmllint --noout "$xml"
mkdir -p "$tmp/mime/packages"
cp "$xml" "$tmp/mime/packages/kx7300.xml"
# With the folder on XDG_DATA_DIRS the tool only speaks up about the XML.
complaints=$(XDG_DATA_DIRS="$tmp" update-mime-database "$tmp/mime" 2>&1 >/dev/null)
if [ -n "$complaints" ]; then
  echo "update-mime-database: $complaints" >&2
  exit 1
fi

fail() { echo "check-mime: $*" >&2; exit 1; }
grep -qxF '50:application/x-kx-analysis:*.kxc' "$tmp/mime/globs2" || fail "no *.kxc glob"
grep -qxF '50:application/x-kx-raw:*.kxd' "$tmp/mime/globs2" || fail "no *.kxd glob"
# The magic file holds "[priority:type]" and then ">offset=" with a 2-byte length and the bytes.
grep -qaF '[50:application/x-kx-analysis]' "$tmp/mime/magic" || fail "no magic section"
printf '>0=\0\4QRVA' | cmp -s - <(grep -aA1 -F '[50:application/x-kx-analysis]' "$tmp/mime/magic" |
  sed -n 2p | head -c 9) || fail "the magic is not QRVA at offset 0"
for type in application/x-kx-analysis application/x-kx-raw; do
  [ -f "$tmp/mime/$type.xml" ] || fail "$type not compiled"
  grep -q 'xml:lang="zh_CN"' "$tmp/mime/$type.xml" || fail "$type has no Chinese comment"
done
echo "check-mime: $xml compiles into both types"
