#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the 2x pictures for high-density screens from the 1x pixel art in resources/pictures:
for each NAME.xpm it writes NAME@2x.xpm, the same design with twice the pixels each way.

Each pixel becomes a 2x2 block, and a block's corner takes the colour of the two neighbours
meeting there when they agree and the pixel stands apart from them (Scale2x): outlines and
diagonals come out as smooth steps half as high, not as doubled stairs, and no colour is added,
so the colour keys (the traffic light's lamps) and the transparency stay as they are.

Usage: scripts/scale2x-pictures.py [NAME.xpm ...]   (default: every 1x picture)"""
import pathlib, re, sys

pictures = pathlib.Path(__file__).resolve().parent.parent / "resources" / "pictures"


def scale2x(rows):
    h, w = len(rows), len(rows[0])
    at = lambda x, y: rows[min(max(y, 0), h - 1)][min(max(x, 0), w - 1)]
    out = []
    for y in range(h):
        top, bottom = [], []
        for x in range(w):
            p = at(x, y)
            a, b, c, d = at(x, y - 1), at(x + 1, y), at(x - 1, y), at(x, y + 1)  # up right left down
            top += [a if c == a and c != d and a != b else p, b if a == b and a != c and b != d else p]
            bottom += [c if d == c and d != b and c != a else p, d if b == d and b != a and d != c else p]
        out += ["".join(top), "".join(bottom)]
    return out


def convert(source):
    text = source.read_text(encoding="utf-8")
    strings = re.findall(r'"([^"]*)"', text)
    width, height, colours, chars = map(int, strings[0].split()[:4])
    assert chars == 1, f"{source.name}: one character a pixel expected"
    rows = strings[1 + colours:1 + colours + height]
    assert len(rows) == height and all(len(r) == width for r in rows), source.name
    name = source.stem + "@2x"
    lines = ["/* XPM */",
             "/* SPDX-FileCopyrightText: 2026 The ケタモリ！ developers */",
             "/* SPDX-License-Identifier: GPL-3.0-or-later */",
             "/* Drawn by scripts/scale2x-pictures.py from %s: the same picture for a screen at"
             " 200 %%. */" % source.name,
             "static const char *const %s[] = {" % re.sub(r"\W", "_", name),
             '"%d %d %d 1",' % (2 * width, 2 * height, colours)]
    lines += ['"%s",' % c for c in strings[1:1 + colours]]
    lines += ['"%s",' % r for r in scale2x(rows)]
    lines[-1] = lines[-1].rstrip(",")
    lines.append("};")
    (pictures / (name + ".xpm")).write_text("\n".join(lines) + "\n", encoding="utf-8")


sources = [pathlib.Path(a) for a in sys.argv[1:]] or [
    p for p in sorted(pictures.glob("*.xpm")) if "@2x" not in p.name]
for source in sources:
    convert(source)
