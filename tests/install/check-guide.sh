#!/usr/bin/env bash
# The user guide as installed: guide.md and guide.html under share/doc/kx7300, where kx7300
# looks for them (bin/../share/doc/kx7300), listed in the install manifest, with every picture
# the guide shows beside them and no screenshot it does not show.
# Usage: check-guide.sh BUILD_DIR GUIDE.md
set -euo pipefail
build=$1
guide=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "check-guide: $*" >&2; exit 1; }

DESTDIR="$tmp/root" cmake --install "$build" --prefix /usr >/dev/null
doc=$tmp/root/usr/bin/../share/doc/kx7300
[ -x "$tmp/root/usr/bin/kx7300" ] || fail "kx7300 is not installed in /usr/bin"
for file in guide.md guide.html; do
  [ -f "$doc/$file" ] || fail "$file is not installed beside the program's share/doc/kx7300"
  sed "s|^$tmp/root||" "$build/install_manifest.txt" | grep -qx "/usr/share/doc/kx7300/$file" ||
    fail "$file is not in the install manifest"
done
cmp -s "$guide" "$doc/guide.md" || fail "the installed guide.md is not $guide"

shown=$(grep -o '](images/[^)]*)' "$guide" | sed 's/^](//; s/)$//' | sort -u)
[ -n "$shown" ] || fail "the guide shows no pictures"
installed=$(cd "$doc" && ls images/*.png | sort)
[ "$shown" = "$installed" ] || fail "pictures shown: $(echo $shown); installed: $(echo $installed)"
for image in $shown; do
  grep -q "src=\"$image\"" "$doc/guide.html" || fail "guide.html does not show $image"
done
echo "check-guide: guide.md, guide.html and $(echo "$shown" | wc -l) pictures in /usr/share/doc/kx7300"
