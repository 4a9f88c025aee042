#!/usr/bin/env python3
"""Fails when a file under src/ includes a file of a layer above its own.

The order is src/LAYERS, from the bottom up: folders ("search", "search/windows"),
or, for a folder that still holds both, "search:logic" and "search:windows", told
apart by the library that builds each file (a library that links no Qt Widgets is
logic). Every #include is resolved as the compiler would: quoted ones beside the
including file first, then along the include paths the CMakeLists give (or those
of compile_commands.json); "../" is followed. An include that resolves to no file
fails, unless the build makes it (ui_*.h, *.moc, moc_*.cpp) or it is a system
header in angle brackets. A custom widget's <header> in a .ui file counts as an
include of that .ui file.

Usage: check_layers.py [--compile-commands FILE] [--graph] [SRC_DIR]
  --graph  prints the includes between layers as Graphviz (dot) instead; an
           arrow that climbs is red, and the exit status is that of the check."""
import argparse
import json
import os
import re
import sys

HEADERS = (".h", ".hpp", ".cpp", ".cc", ".cxx", ".ui")
GENERATED = re.compile(r"(^|/)(ui_[\w-]+\.h|[\w-]+\.moc|moc_[\w-]+\.cpp|qrc_[\w-]+\.cpp)$")
INCLUDE = re.compile(r'^\s*#\s*include\s*(?:"([^"]*)"|<([^>]*)>|(.*))')
# A custom widget's header in a .ui file: uic includes it in the ui_*.h it writes.
UI_HEADER = re.compile(r"<header(?:\s[^>]*)?>([^<]+)</header>")


def read(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        return f.read()


def cmake_words(text):
    text = re.sub(r"#[^\n]*", "", text)
    return text


class Tree:
    def __init__(self, src, compile_commands=None):
        self.src = os.path.realpath(src)
        self.root = os.path.dirname(self.src)
        self.cmake = cmake_words(read(os.path.join(self.src, "CMakeLists.txt")))
        self.layers = []
        for line in read(os.path.join(self.src, "LAYERS")).splitlines():
            line = line.split("#", 1)[0].strip()
            if line:
                self.layers.append(line)
        self.rank = {name: i for i, name in enumerate(self.layers)}
        self.libraries = self._libraries()
        self.logic, self.windows = set(), set()
        for name, (files, widgets) in self.libraries.items():
            (self.windows if widgets else self.logic).update(files)
        self.build = None
        self.include_dirs = self._include_dirs(compile_commands)

    def _expand(self, word):
        word = word.replace("${CMAKE_CURRENT_SOURCE_DIR}", self.src).replace("${CMAKE_SOURCE_DIR}", self.root)
        word = word.replace("${PROJECT_SOURCE_DIR}", self.root)
        return None if "${" in word else os.path.normpath(os.path.join(self.src, word))

    def _libraries(self):
        """Each library of src/CMakeLists.txt: its files (relative to src) and
        whether it reaches Qt Widgets through what it links."""
        files, links = {}, {}
        for m in re.finditer(r"add_(?:library|executable)\(\s*([\w-]+)(.*?)\)", self.cmake, re.S):
            found = set()
            for word in m.group(2).split():
                path = self._expand(word)
                if path and path.startswith(self.src + os.sep):
                    found.add(os.path.relpath(path, self.src))
            files[m.group(1)] = found
        for m in re.finditer(r"target_link_libraries\(\s*([\w-]+)(.*?)\)", self.cmake, re.S):
            links.setdefault(m.group(1), set()).update(m.group(2).split())

        def widgets(name, seen=()):
            if name in seen:
                return False
            return any(l == "Qt6::Widgets" or l == "Qt::Widgets" or (l in files and widgets(l, seen + (name,)))
                       for l in links.get(name, ()))

        return {name: (f, widgets(name)) for name, f in files.items()}

    def _include_dirs(self, compile_commands):
        dirs = []
        if compile_commands:
            self.build = os.path.realpath(os.path.dirname(compile_commands))
            for entry in json.loads(read(compile_commands)):
                base = entry.get("directory", "")
                if not os.path.realpath(os.path.join(base, entry["file"])).startswith(self.src + os.sep):
                    continue  # the paths the files of src/ are compiled with
                words = entry.get("arguments") or entry["command"].split()
                for i, w in enumerate(words):
                    for flag in ("-I", "-isystem", "-iquote"):
                        if w == flag and i + 1 < len(words):
                            dirs.append(os.path.join(base, words[i + 1]))
                        elif w.startswith(flag) and len(w) > len(flag) and (flag != "-I" or not w.startswith("-isystem")):
                            dirs.append(os.path.join(base, w[len(flag):]))
        else:
            for m in re.finditer(r"(?:target_)?include_directories\((.*?)\)", self.cmake, re.S):
                for word in m.group(1).split():
                    path = self._expand(word)
                    if path and os.path.isdir(path):
                        dirs.append(path)
        out = []
        for d in dirs:
            d = os.path.realpath(os.path.normpath(d))
            if os.path.isdir(d) and d not in out:
                out.append(d)
        return out

    def resolve(self, including, name, quoted):
        """The real path the compiler opens, or None."""
        candidates = [os.path.dirname(including)] if quoted else []
        for d in candidates + self.include_dirs:
            path = os.path.realpath(os.path.join(d, name))
            if os.path.isfile(path):
                return path
        return None

    def layer_of(self, rel):
        """The LAYERS entry a file (relative to src) belongs to, or None."""
        parts = rel.split("/")[:-1]
        for n in range(len(parts), 0, -1):
            folder = "/".join(parts[:n])
            if folder in self.rank:
                return folder
            tiered = [f"{folder}:logic", f"{folder}:windows"]
            if any(t in self.rank for t in tiered):
                if rel in self.logic:
                    return tiered[0] if tiered[0] in self.rank else None
                if rel in self.windows or rel.endswith(".ui"):
                    return tiered[1] if tiered[1] in self.rank else None
                # Not built by itself: a header goes with its .cpp.
                stem = os.path.splitext(rel)[0]
                if stem + ".cpp" in self.logic:
                    return tiered[0] if tiered[0] in self.rank else None
                return tiered[1] if tiered[1] in self.rank else None
        return None

    def sources(self):
        for root, dirs, files in os.walk(self.src):
            dirs.sort()
            for name in sorted(files):
                if name.endswith(HEADERS):
                    yield os.path.join(root, name)

    def check(self):
        failures, edges = [], {}
        for path in self.sources():
            rel = os.path.relpath(path, self.src)
            own = self.layer_of(rel)
            if own is None:
                failures.append(f"src/{rel}: its folder is not in LAYERS")
                continue
            windows_home = rel.split("/")[0] + "/windows"
            if rel in self.windows and windows_home in self.rank and not rel.startswith(windows_home + "/") \
                    and own != windows_home and self.rank[own] < self.rank[windows_home]:
                failures.append(f"src/{rel}: a window in the logic folder {own}; its place is {windows_home}")
            for number, line in enumerate(read(path).splitlines(), 1):
                if path.endswith(".ui"):
                    h = UI_HEADER.search(line)
                    m = INCLUDE.match(f"#include <{h.group(1).strip()}>") if h else None
                else:
                    m = INCLUDE.match(line)
                if not m:
                    continue
                quoted, angled, other = m.groups()
                where = f"src/{rel}:{number}"
                if other is not None:
                    failures.append(f"{where}: cannot place the include {other.strip()}")
                    continue
                name = quoted if quoted is not None else angled
                target = self.resolve(path, name, quoted is not None)
                if target is None:
                    if GENERATED.search(name) or (angled is not None and not path.endswith(".ui")):
                        continue  # made by the build, or a system header
                    failures.append(f"{where}: cannot place the include \"{name}\"")
                    continue
                if not target.startswith(self.src + os.sep):
                    made = self.build and target.startswith(self.build + os.sep)
                    if target.startswith(self.root + os.sep) and not made:
                        failures.append(f"{where}: includes {os.path.relpath(target, self.root)}, outside src/")
                    continue
                theirs_rel = os.path.relpath(target, self.src)
                theirs = self.layer_of(theirs_rel)
                if theirs is None:
                    failures.append(f"{where}: includes {theirs_rel}: its folder is not in LAYERS")
                    continue
                if theirs != own:
                    edges[(own, theirs)] = edges.get((own, theirs), 0) + 1
                if self.rank[theirs] > self.rank[own]:
                    failures.append(f"{where}: includes {theirs_rel}: {own} may not include {theirs}")
        return failures, edges


def dot(tree, edges):
    lines = ["digraph layers {", "  rankdir=BT;", '  node [shape=box, fontname="sans"];']
    for name in tree.layers:
        lines.append(f'  "{name}" [label="{len(tree.layers) - tree.rank[name]}. {name}"];')
    for (a, b), n in sorted(edges.items(), key=lambda e: (tree.rank[e[0][0]], tree.rank[e[0][1]])):
        climbs = tree.rank[b] > tree.rank[a]
        colour = ', color=red, fontcolor=red, penwidth=2' if climbs else ''
        lines.append(f'  "{a}" -> "{b}" [label="{n}"{colour}];')
    lines.append("}")
    return "\n".join(lines)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("src", nargs="?", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src"))
    ap.add_argument("--compile-commands")
    ap.add_argument("--graph", action="store_true")
    args = ap.parse_args()
    cc = args.compile_commands if args.compile_commands and os.path.isfile(args.compile_commands) else None
    tree = Tree(args.src, cc)
    failures, edges = tree.check()
    if args.graph:
        print(dot(tree, edges))
        for f in failures:
            print(f, file=sys.stderr)
        return 1 if failures else 0
    for f in failures:
        print(f)
    print(f"{len(failures)} includes against the layers" if failures else "every include flows down")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
