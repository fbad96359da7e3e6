#!/usr/bin/python3
"""Reads a Word report with python-docx, as another program would, and checks what the report
must hold: the title, a summary table of entries + 1 rows on a grid of 9 columns with the
given texts, and the pictures, each an inline JPEG.

Usage: check_word_report.py DOCX ROWS PICTURES [ROW,COLUMN,TEXT ...]
"""
import sys

import docx
from docx.oxml.ns import qn


def fail(message):
    print("check_word_report: " + message, file=sys.stderr)
    sys.exit(1)


def main():
    path, rows, pictures = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    document = docx.Document(path)

    if "低应变检测结果汇总表" not in [p.text for p in document.paragraphs]:
        fail("no title paragraph")
    if len(document.tables) != 1:
        fail("%d tables, expected 1" % len(document.tables))
    table = document.tables[0]
    grid = table._tbl.tblGrid.findall(qn("w:gridCol"))
    if len(grid) != 9:
        fail("%d grid columns, expected 9" % len(grid))
    if len(table.rows) != rows:
        fail("%d rows, expected %d" % (len(table.rows), rows))
    for row in table.rows:
        if len(row.cells) != 9:
            fail("a row of %d cells" % len(row.cells))
    for spec in sys.argv[4:]:
        r, c, text = spec.split(",", 2)
        got = table.cell(int(r), int(c)).text
        if got != text:
            fail("cell (%s, %s) reads %r, expected %r" % (r, c, got, text))

    shapes = document.inline_shapes
    if len(shapes) != pictures:
        fail("%d inline pictures, expected %d" % (len(shapes), pictures))
    for shape in shapes:
        blip = shape._inline.graphic.graphicData.pic.blipFill.blip
        part = document.part.related_parts[blip.embed]
        if part.content_type != "image/jpeg":
            fail("a picture of type " + part.content_type)
        if part.blob[:2] != b"\xff\xd8" or part.blob[-2:] != b"\xff\xd9":
            fail("an embedded picture that is not a whole JPEG stream")
    print("%s: %d rows, %d pictures" % (path, rows, pictures))


main()
