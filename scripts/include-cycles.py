#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints any circle in the include graph of the program's own headers and sources (files named
from the source root, as "drill/Drill.h"); exits 1 if there is one."""
import pathlib, re, sys

root = pathlib.Path(__file__).resolve().parent.parent
folders = ["app", "drill", "records", "help", "resources"]
graph = {}
for folder in folders:
    for path in (root / folder).rglob("*"):
        if path.suffix in (".h", ".cpp"):
            name = str(path.relative_to(root))
            text = path.read_text(encoding="utf-8")
            graph[name] = re.findall(r'^#include "([^"]+)"', text, re.M)

# A .cpp and its .h are one unit: a circle through a header's implementation counts too.
def unit(name):
    return name.rsplit(".", 1)[0]

units = {}
for name, includes in graph.items():
    units.setdefault(unit(name), set()).update(unit(i) for i in includes if i in graph)

state, stack, found = {}, [], []
def visit(u):
    state[u] = 1
    stack.append(u)
    for v in sorted(units.get(u, ())):
        if v == u:
            continue
        if state.get(v) == 1:
            found.append(stack[stack.index(v):] + [v])
        elif v not in state:
            visit(v)
    stack.pop()
    state[u] = 2

for u in sorted(units):
    if u not in state:
        visit(u)
for circle in found:
    print(" -> ".join(circle))
print(f"{len(units)} units, {len(found)} circles")
sys.exit(1 if found else 0)
