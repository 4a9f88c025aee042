#!/usr/bin/env python3
"""Fails when a file under src/ includes a file of a layer above its own.

The order is src/LAYERS. Which library builds a file (src/CMakeLists.txt) tells a
feature folder's logic from its windows.
Usage: check_layers.py [SRC_DIR]"""
import os
import re
import sys

src = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "src"))

layers = []
for line in open(os.path.join(src, "LAYERS"), encoding="utf-8"):
    line = line.split("#", 1)[0].strip()
    if line:
        layers.append(line)
rank = {name: i for i, name in enumerate(layers)}

# Files of the logic libraries; every other file is a window's.
cmake = open(os.path.join(src, "CMakeLists.txt"), encoding="utf-8").read()
logic = set()
for lib in re.finditer(r"add_library\((zarfan_core|zarfan_recitation)\b(.*?)\)", cmake, re.S):
    logic.update(re.findall(r"[\w/]+\.(?:cpp|h)", lib.group(2)))


def layer_of(path):
    folder = path.split("/", 1)[0]
    if folder in rank:
        return folder
    tier = "logic" if path in logic else "windows"
    name = f"{folder}:{tier}"
    return name if name in rank else None


failures = []
include = re.compile(r'\s*#\s*include\s+"([^"]+)"')
for root, _, files in os.walk(src):
    for name in sorted(files):
        if not name.endswith((".h", ".cpp")):
            continue
        path = os.path.relpath(os.path.join(root, name), src)
        own = layer_of(path)
        if own is None:
            failures.append(f"{path}: its folder is not in LAYERS")
            continue
        for number, line in enumerate(open(os.path.join(root, name), encoding="utf-8"), 1):
            m = include.match(line)
            if not m:
                continue
            target = m.group(1)
            if "/" not in target:  # beside the including file
                target = os.path.join(os.path.dirname(path), target)
            if not os.path.exists(os.path.join(src, target)):
                continue
            theirs = layer_of(target)
            if theirs is None or rank[theirs] > rank[own]:
                failures.append(f"src/{path}:{number}: includes {target}: {own} may not include {theirs or 'a folder not in LAYERS'}")

for f in failures:
    print(f)
print(f"{len(failures)} includes against the layers" if failures else "every include flows down")
sys.exit(1 if failures else 0)
