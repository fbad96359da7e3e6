#!/bin/sh
# The site summary of the demo site as other programs see it: kxtool summary --csv/--xlsx, then
# Python's csv module and openpyxl read the tables back (the header, a pile's numbers as numbers
# with two decimals, the proposed class and its reason), and kxtool site-speed gives the mean.
# Usage: tests/check-site-summary.sh KXTOOL SOURCE_DIR
set -eu
kxtool=$1
src=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

"$src/scripts/make-demo-site.sh" "$kxtool" "$dir/site" >/dev/null
"$kxtool" import "$dir/site" --overwrite all >/dev/null
"$kxtool" summary --dir "$dir/site" --csv "$dir/s.csv" --xlsx "$dir/s.xlsx"
"$kxtool" site-speed --dir "$dir/site" --loaded >"$dir/speed.json"

/usr/bin/python3 - "$dir" <<'PY'
import csv, json, sys
import openpyxl

d = sys.argv[1]
head = ["文件", "桩号", "桩长(m)", "波速(m/s)", "缺陷位置(m)", "完整性类别", "建议类别", "建议理由",
        "桩底可信度", "已保存"]
raw = open(d + "/s.csv", "rb").read()
assert raw.startswith(b"\xef\xbb\xbf"), "no BOM"
rows = list(csv.reader(open(d + "/s.csv", encoding="utf-8-sig", newline="")))
assert rows[0] == head, rows[0]
assert len(rows) == 15, len(rows)
pile3 = rows[3]
assert pile3[:4] == ["3.kxc", "3#", "12.00", "3800.00"], pile3
assert pile3[6] == "III" and "缩径" in pile3[7], pile3

ws = openpyxl.load_workbook(d + "/s.xlsx").active
assert ws.title == "工程汇总", ws.title
assert [c.value for c in ws[1]] == head
assert ws.max_row == 15, ws.max_row
assert ws["C4"].value == 12 and ws["C4"].number_format == "0.00", (ws["C4"].value, ws["C4"].number_format)
assert ws["D4"].value == 3800 and ws["G4"].value == "III", (ws["D4"].value, ws["G4"].value)
assert ws.freeze_panes == "A2", ws.freeze_panes
assert ws.column_dimensions["H"].width > 40

speed = json.load(open(d + "/speed.json"))
assert speed["meanSpeed"] is not None and 3800 < speed["meanSpeed"] < 4000, speed
assert speed["reason"] is None
assert len(speed["piles"]) == 14
dropped = [p for p in speed["piles"] if p["why"].startswith("偏离平均值")]
assert [p["path"].rsplit("/", 1)[-1] for p in dropped] == ["8.kxc"], dropped  # 3,600 m/s
print("summary read back: 14 piles, site wave speed %.2f m/s" % speed["meanSpeed"])
PY
