#!/usr/bin/python3
"""Reads the text back from PostScript written by Wine's PostScript driver.

The driver draws every character as a Type42 glyph after an "X Y moveto",
by a glyph name that the font's CharStrings bind to the glyph index
("/NAME INDEX def" when the glyph is first used, "/NAME glyphshow"); the embedded font carries no cmap, so the index is mapped back
to a character through the cmap of the installed font of the same name
(found with fc-match). Characters are put into columns by their x position
(fixed-pitch output: the most common step between neighbours is one column)
and lines by their y position (the smallest step between lines is one line,
so empty lines stay). Pages are separated by a line holding only a form
feed. The output is Shift-JIS (code page 932).

usage: ps_text.py FILE.ps OUT.txt
"""
import collections
import os
import re
import subprocess
import sys

from fontTools.ttLib import TTFont

TOKEN = re.compile(
    rb"%%Page:|(-?\d+) (-?\d+) moveto|/(\S+) (\d+) def|/FontName /(\S+) def|/(\S+) findfont|/(\S+) glyphshow"
)


def font_map(name, cache={}):
    if name not in cache:
        path = subprocess.run(["fc-match", "-f", "%{file}", name], capture_output=True, text=True).stdout
        font = TTFont(path, fontNumber=0, lazy=True)
        order = font.getGlyphOrder()
        by_name = {}
        for cp, glyph in font.getBestCmap().items():
            by_name.setdefault(glyph, cp)
        cache[name] = {gid: chr(by_name[g]) for gid, g in enumerate(order) if g in by_name}
    return cache[name]


def glyphs(ps):
    """(page, x, y, character) for every glyph drawn."""
    page, x, y, font = 0, 0, 0, None
    index = {}  # (font, glyph name) -> glyph index
    for m in TOKEN.finditer(ps):
        tok = m.group(0)
        if tok == b"%%Page:":
            page += 1
        elif m.group(1) is not None:
            x, y = int(m.group(1)), int(m.group(2))
        elif m.group(3) is not None:
            index[(font, m.group(3))] = int(m.group(4))
        elif m.group(5) is not None or m.group(6) is not None:
            font = (m.group(5) or m.group(6)).decode("latin-1")
        elif m.group(7) is not None and font:
            gid = index.get((font, m.group(7)))
            yield page, x, y, font_map(font).get(gid, "?") if gid is not None else "?"


def common_step(values):
    steps = collections.Counter(b - a for a, b in zip(values, values[1:]) if b > a)
    return steps.most_common(1)[0][0] if steps else 1


def main():
    ps = open(sys.argv[1], "rb").read()
    found = list(glyphs(ps))
    pages = max([1, re.findall(rb"%%Page:", ps).__len__()])
    by_line = collections.defaultdict(list)
    for page, x, y, ch in found:
        by_line[(page, y)].append((x, ch))
    col_steps = []
    for items in by_line.values():
        xs = sorted(x for x, _ in items)
        col_steps += [b - a for a, b in zip(xs, xs[1:]) if b > a]
    width = collections.Counter(col_steps).most_common(1)[0][0] if col_steps else 1
    ys = sorted({y for (_, y) in by_line})
    height = min((b - a for a, b in zip(ys, ys[1:])), default=1)
    out = []
    for page in range(1, pages + 1):
        if page > 1:
            out.append("\f")
        lines = sorted(y for (p, y) in by_line if p == page)
        if not lines:
            continue
        top = lines[0]
        text = {}
        for y in lines:
            row = []
            for x, ch in sorted(by_line[(page, y)]):
                col = round(x / width)
                while len(row) < col:
                    row.append(" ")
                row.append(ch)
                # A double-byte character takes two columns.
                if len(ch.encode("cp932", "replace")) == 2:
                    row.append("")
            text[round((y - top) / height)] = "".join(row)
        for i in range(max(text) + 1):
            out.append(text.get(i, ""))
    # Written aside and renamed: a reader waiting for the file sees it whole.
    with open(sys.argv[2] + ".part", "wb") as f:
        f.write(("\n".join(out) + "\n").encode("cp932", "replace"))
    os.replace(sys.argv[2] + ".part", sys.argv[2])


if __name__ == "__main__":
    main()
