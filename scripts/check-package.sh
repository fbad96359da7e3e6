#!/usr/bin/env bash
# Installs the Debian package with dpkg into an empty root and checks it: the files are exactly
# those of the build's install manifest, the dependencies resolve on this Debian system, the
# icons have their sizes, and both installed programs run.
# Usage: scripts/check-package.sh PACKAGE.deb [BUILD_DIR]
set -euo pipefail
deb=$(realpath "$1")
root_dir=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${2:-${KX_BUILD_DIR:-$root_dir/build}}")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "check-package: $*" >&2; exit 1; }

# dpkg itself unpacks and configures the package in a root holding nothing else; the missing
# dependencies it names there are expected, and checked against this system below.
root=$tmp/root
mkdir -p "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/info"
touch "$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends --force-not-root -i "$deb" >"$tmp/dpkg.log" 2>&1 ||
  { cat "$tmp/dpkg.log" >&2; fail "dpkg could not install $deb"; }
status=$(dpkg-query --admindir="$root/var/lib/dpkg" -W -f='${Status}' kx7300)
[ "$status" = "install ok installed" ] || fail "package state is '$status'"

# Exactly the files the install rules name.
DESTDIR="$tmp/stage" cmake --install "$build" --prefix /usr >/dev/null
sed "s|^$tmp/stage||" "$build/install_manifest.txt" | sort >"$tmp/manifest"
dpkg-query --admindir="$root/var/lib/dpkg" -L kx7300 | while read -r path; do
  [ -d "$root$path" ] || echo "$path"
done | sort >"$tmp/packaged"
diff -u "$tmp/manifest" "$tmp/packaged" >&2 || fail "package files differ from the install manifest"
while read -r path; do
  [ -f "$root$path" ] || fail "$path is listed but was not installed"
done <"$tmp/manifest"

# Dependencies: the shared libraries found by dpkg-shlibdeps and the fonts, all resolvable.
depends=$(dpkg-deb -f "$deb" Depends)
for want in libqt6widgets6 libstdc++6 libxlsxwriter4 fonts-arphic-uming fonts-wqy-microhei; do
  grep -qw "$want" <<<"$depends" || fail "Depends lacks $want: $depends"
done
apt-get install -s -q --no-install-recommends "$deb" >"$tmp/apt.log" 2>&1 ||
  { cat "$tmp/apt.log" >&2; fail "the dependencies do not resolve"; }

for png in "$root"/usr/share/icons/hicolor/*x*/apps/kx7300.png; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  [ "$(identify -format '%wx%h' "$png")" = "$size" ] || fail "$png is not $size"
done
desktop-file-validate "$root/usr/share/applications/kx7300.desktop" || fail "desktop entry"
# 帮助 > 使用说明 finds the guide beside the program: bin/../share/doc/kx7300.
for file in guide.html guide.md images/main-window.png; do
  [ -f "$root/usr/bin/../share/doc/kx7300/$file" ] || fail "the user guide lacks $file"
done

# The installed programs, run from the root (the Qt libraries are the system's own).
version=$(dpkg-deb -f "$deb" Version)
cd "$tmp"
[ "$("$root/usr/bin/kxtool" --version)" = "kxtool $version" ] || fail "kxtool --version"
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/kx7300" --version)" = \
  "kx7300 $version" ] || fail "kx7300 --version"
"$root/usr/bin/kxtool" synth --length 9 -o pile.kxd >/dev/null
"$root/usr/bin/kxtool" convert pile.kxd pile.kxc >/dev/null
"$root/usr/bin/kxtool" info pile.kxc >pile.json
grep -q '"magic": *"QRVA"' pile.json || fail "kxtool info"
# kxtool itself loads no Qt; report runs the drawing part installed under libexec.
! ldd "$root/usr/bin/kxtool" | grep -q Qt6 || fail "kxtool loads Qt"
"$root/usr/bin/kxtool" report pile.kxc --pdf report.pdf >/dev/null || fail "kxtool report"
[ "$(head -c 4 report.pdf)" = "%PDF" ] || fail "kxtool report wrote no PDF"
# The window starts, also on an analysis file as a double-click starts it, and keeps running
# until it is stopped. Its settings go to a throwaway place.
for arg in "" "$tmp/pile.kxc"; do
  set +e
  XDG_CONFIG_HOME=$tmp/config QT_QPA_PLATFORM=offscreen \
    timeout 3 "$root/usr/bin/kx7300" ${arg:+"$arg"} >"$tmp/kx7300.log" 2>&1
  started=$?
  set -e
  [ "$started" -eq 124 ] || { cat "$tmp/kx7300.log" >&2; fail "kx7300 $arg ended with $started"; }
done
echo "check-package: $(basename "$deb") installs $(wc -l <"$tmp/manifest") files; both programs run"
