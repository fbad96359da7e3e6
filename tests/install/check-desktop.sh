#!/usr/bin/env bash
# The desktop entry: valid for desktop-file-validate, starts kx7300 with the chosen file (working
# in its state folder, --desktop), and handles exactly the file types the MIME declaration
# defines.
# Usage: check-desktop.sh ENTRY.desktop MIME.xml
set -euo pipefail
entry=$1
xml=$2
fail() { echo "check-desktop: $*" >&2; exit 1; }

out=$(desktop-file-validate "$entry" 2>&1) || fail "$out"
[ -z "$out" ] || fail "$out"

key() { sed -n "s/^$1=//p" "$entry"; }
[ "$(key Name)" = "KX系列基桩低应变分析系统" ] || fail "Name is '$(key Name)'"
[ "$(key Exec)" = "kx7300 --desktop %f" ] || fail "Exec is '$(key Exec)'"
[ "$(key Categories)" = "Science;Engineering;" ] || fail "Categories is '$(key Categories)'"
handled=$(key MimeType | tr ';' '\n' | sed '/^$/d' | sort)
declared=$(xmllint --xpath '//*[local-name()="mime-type"]/@type' "$xml" |
  sed 's/.*type="\([^"]*\)".*/\1/' | sort)
[ "$handled" = "$declared" ] || fail "handles '$handled' but the MIME file declares '$declared'"
echo "check-desktop: $entry is valid and handles $(echo $handled)"
