#!/bin/sh
# The report options as their readers see them, on the demo site: pdftotext finds each pile's
# class and conclusion and the footer "第 n 页 / 共 m 页" in the PDF (and none of them without
# the options); python-docx finds the Word report's page-number footer, the header row marked
# to repeat, and column widths that hold "3700.00" (about 1,190 twips at 10.5 points); a cover
# file gives the PDF a first page and the Word report its fields above the title.
# Usage: tests/check-report-options.sh KXTOOL SOURCE_DIR
set -eu
kxtool=$1
src=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

"$src/scripts/make-demo-site.sh" "$kxtool" "$dir/site" >/dev/null
"$kxtool" import "$dir/site" --overwrite all >/dev/null
"$kxtool" report --dir "$dir/site" --per-page 5 --pdf "$dir/plain.pdf" --docx "$dir/plain.docx"
"$kxtool" report --dir "$dir/site" --per-page 5 --class-in-block --page-of-total \
    --word-page-numbers --pdf "$dir/opt.pdf" --docx "$dir/opt.docx"

printf '工程名称=滨江花园二期桩基工程\n委托单位=滨江置业\n检测=王工\n' >"$dir/cover.txt"
"$kxtool" report --dir "$dir/site" --per-page 5 --cover "$dir/cover.txt" --pdf "$dir/cover.pdf" \
    --docx "$dir/cover.docx"
[ "$(pdfinfo "$dir/cover.pdf" | sed -n 's/^Pages: *//p')" = 4 ] || { echo "no cover page" >&2; exit 1; }
pdftotext -f 1 -l 1 "$dir/cover.pdf" "$dir/cover.txt"
grep -q "工程名称：滨江花园二期桩基工程" "$dir/cover.txt" || { echo "no project on the cover" >&2; exit 1; }
grep -q "批准：" "$dir/cover.txt" || { echo "no signatures on the cover" >&2; exit 1; }

pdftotext "$dir/plain.pdf" "$dir/plain.txt"
pdftotext "$dir/opt.pdf" "$dir/opt.txt"
grep -q "类别:III" "$dir/opt.txt" || { echo "no class in the blocks" >&2; exit 1; }
grep -q "桩身有明显缺陷\|距桩顶" "$dir/opt.txt" || { echo "no conclusion in the blocks" >&2; exit 1; }
grep -q "第 1 页 / 共 3 页" "$dir/opt.txt" || { echo "no 第 n 页 / 共 m 页 footer" >&2; exit 1; }
if grep -q "类别:\|共 3 页" "$dir/plain.txt"; then
    echo "the options show without being asked for" >&2
    exit 1
fi
grep -q "第1页" "$dir/plain.txt" || { echo "the plain footer changed" >&2; exit 1; }

/usr/bin/python3 - "$dir" <<'PY'
import sys
import docx
from docx.oxml.ns import qn

d = sys.argv[1]
plain = docx.Document(d + "/plain.docx")
opt = docx.Document(d + "/opt.docx")
assert not plain.sections[0].footer.paragraphs or not plain.sections[0].footer.paragraphs[0].text
footer = opt.sections[0].footer.paragraphs[0]
assert footer.text.startswith("第"), footer.text
assert "PAGE" in footer._p.xml, "the page number is not a field"
table = opt.tables[0]
assert table.rows[0]._tr.find(qn("w:trPr")).find(qn("w:tblHeader")) is not None
grid = [int(c.get(qn("w:w"))) for c in table._tbl.find(qn("w:tblGrid"))]
assert grid[4] >= 1190 and grid[8] >= 1630, grid
assert table.rows[3].cells[4].text == "3800.00", table.rows[3].cells[4].text
assert plain.tables[0].rows[0]._tr.find(qn("w:trPr")) is None
cover = docx.Document(d + "/cover.docx")
assert cover.paragraphs[0].text == "工程名称：滨江花园二期桩基工程", cover.paragraphs[0].text
assert plain.paragraphs[0].text != cover.paragraphs[0].text
print("report options read back: class, conclusion, page of total, Word footer, header row")
PY
