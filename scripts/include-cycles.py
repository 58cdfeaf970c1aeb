#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints every circle in the include graph of the project's own headers and sources (files named
from the source root, as "drill/Drill.h"), first between files, then between folders; exits 1 if
there is one, and every include that goes against the layers (below). With --folders it also
prints each folder with the folders it includes from.

Every folder counts on its own, a core folder and controls too: the layers are the folders,
and each may include from the ones below it only (app wires the handlers, the handlers use the
controls and the core code, core code needs no widgets)."""
import pathlib, re, sys

root = pathlib.Path(__file__).resolve().parent.parent
folders = ["app", "controls", "base", "files", "drill", "records", "help", "resources", "stats", "packaging", "tests",
           "bench", "fuzz"]
graph = {}
for folder in folders:
    for path in (root / folder).rglob("*"):
        if path.suffix in (".h", ".cpp"):
            name = path.relative_to(root).as_posix()
            text = path.read_text(encoding="utf-8")
            graph[name] = re.findall(r'^#include "([^"]+)"', text, re.M)


def circles(edges):
    """The circles found by a depth-first walk of a graph given as node -> set of nodes."""
    state, stack, found = {}, [], []

    def visit(u):
        state[u] = 1
        stack.append(u)
        for v in sorted(edges.get(u, ())):
            if v == u:
                continue
            if state.get(v) == 1:
                found.append(stack[stack.index(v):] + [v])
            elif v not in state:
                visit(v)
        stack.pop()
        state[u] = 2

    for u in sorted(edges):
        if u not in state:
            visit(u)
    return found


# A .cpp and its .h are one unit: a circle through a header's implementation counts too.
def unit(name):
    return name.rsplit(".", 1)[0]


def folder(name):
    return name.rsplit("/", 1)[0]


units, folder_edges = {}, {}
for name, includes in graph.items():
    known = [i for i in includes if i in graph]
    units.setdefault(unit(name), set()).update(unit(i) for i in known)
    folder_edges.setdefault(folder(name), set()).update(folder(i) for i in known)

unit_circles = circles(units)
folder_circles = circles(folder_edges)
for circle in unit_circles + folder_circles:
    print(" -> ".join(circle))

# Beyond circles, the layers themselves: the program's folders from the top down. A folder may
# include from its own layer's folders below it in this list and from lower layers, never from
# above; the tests, benchmarks and fuzz targets may include anything.
layers = [
    ["app"],
    ["stats"],
    ["drill", "records", "help"],
    ["app/core", "stats/core", "drill/core", "records/core", "help/core"],
    ["controls", "resources"],
    ["base", "files"],
]
order = [f for layer in layers for f in layer]
rank = {f: n for n, layer in enumerate(layers) for f in layer}
plain = {f for f in order if f.endswith("/core") or f in ("base", "files")}
wrong = []
for name, includes in graph.items():
    src = folder(name)
    if src not in rank:
        continue
    for inc in includes:
        dst = folder(inc)
        if inc not in graph or dst == src or dst not in rank:
            continue
        up = rank[dst] < rank[src] or (rank[dst] == rank[src] and order.index(dst) < order.index(src))
        # Plain code needs no widgets: no core folder includes the widget kit or the pictures.
        widgets = src in plain and dst in ("controls", "resources")
        if up or widgets:
            wrong.append(f"{name} includes {inc}")
for line in wrong:
    print(line)
# With --folders: each folder and the folders it includes from, the layers as they stand.
if "--folders" in sys.argv[1:]:
    for f in sorted(folder_edges):
        below = sorted(d for d in folder_edges[f] if d != f)
        print(f"{f:14} -> {', '.join(below) if below else '(nothing)'}")
print(f"{len(units)} units, {len(unit_circles)} circles; "
      f"{len(folder_edges)} folders, {len(folder_circles)} circles; {len(wrong)} includes against the layers")
sys.exit(1 if unit_circles or folder_circles or wrong else 0)
