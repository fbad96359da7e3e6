#!/bin/sh
# The Word report of the demo site as other programs see it: kxtool report --docx/--figures,
# then python-docx reads the table and pictures back, the figures are whole JPEG files, and
# LibreOffice converts the document to PDF without error (skipped when it is not installed).
# Usage: tests/check-word-report.sh KXTOOL SOURCE_DIR
set -eu
kxtool=$1
src=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

"$src/scripts/make-demo-site.sh" "$kxtool" "$dir/site" >/dev/null
"$kxtool" import "$dir/site" --overwrite all >/dev/null
# Fourteen piles at five per figure: three figures.
"$kxtool" report --dir "$dir/site" --per-page 5 --docx "$dir/report.docx" --figures "$dir/fig"

[ "$(ls "$dir/fig" | tr '\n' ' ')" = "1.jpg 2.jpg 3.jpg " ] || {
    echo "figures: $(ls "$dir/fig")" >&2
    exit 1
}
for f in "$dir"/fig/*.jpg; do
    [ "$(head -c 2 "$f" | od -An -tx1 | tr -d ' ')" = "ffd8" ] || { echo "$f: no JPEG start" >&2; exit 1; }
    [ "$(tail -c 2 "$f" | od -An -tx1 | tr -d ' ')" = "ffd9" ] || { echo "$f: no JPEG end" >&2; exit 1; }
done

/usr/bin/python3 "$src/tests/check_word_report.py" "$dir/report.docx" 15 3 \
    "0,0,序号" "0,5,桩身结构完整性描述" "1,0,1" "1,1,1#" "1,3,8.00" "1,5,桩身质量完整" \
    "12,1,12#"

if ! command -v soffice >/dev/null 2>&1; then
    echo "SKIPPED: LibreOffice (soffice) is not installed; the conversion check did not run"
    exit 77
fi
HOME="$dir" soffice --headless --convert-to pdf --outdir "$dir/pdf" "$dir/report.docx" >"$dir/soffice.log" 2>&1 || {
    cat "$dir/soffice.log" >&2
    exit 1
}
[ -s "$dir/pdf/report.pdf" ] || { echo "LibreOffice wrote no PDF" >&2; cat "$dir/soffice.log" >&2; exit 1; }
echo "LibreOffice converted the report: $(wc -c <"$dir/pdf/report.pdf") bytes of PDF"
