#!/usr/bin/env python3
"""Plants one wrong-way include in a small tree and expects check_layers.py to
fail on it, naming the file and line; the same tree without it must pass.
Each case runs on both forms of src/LAYERS: feature folders told apart by
library ("search:logic", "search:windows") and folders only ("search/windows").

Usage: layers_test.py CHECK_LAYERS CASE"""
import os
import subprocess
import sys
import tempfile

CHECK, CASE = sys.argv[1], sys.argv[2]

# Where the planted line goes, the line, and what the check must say.
CASES = {
    "angle": ("search/fold.cpp", "#include <app/mainwindow.h>", "app/mainwindow.h: search"),
    "parent": ("search/fold.cpp", '#include "../app/mainwindow.h"', "app/mainwindow.h: search"),
    "quoted": ("data/db.h", '#include "app/mainwindow.h"', "app/mainwindow.h: data"),
    "window_from_logic": ("search/fold.cpp", '#include "{windows}/optionswindow.h"', "optionswindow.h: search"),
    "unresolved": ("ui/fonts.cpp", '#include "search/nowhere.h"', "cannot place the include"),
    "ui_header": ("{windows}/optionswindow.ui", "<header>app/mainwindow.h</header>", "app/mainwindow.h: search"),
    "window_in_logic_folder": (None, None, "a window in the logic folder search"),
}


def tree(root, folders):
    windows = "search/windows" if folders else "search"
    layers = ["data", "search", "ui", "search/windows", "app"] if folders else \
             ["data", "search:logic", "ui", "search:windows", "app"]
    files = {
        "data/db.h": "#pragma once\n",
        "data/db.cpp": '#include "db.h"\n',
        "search/fold.h": '#pragma once\n#include "data/db.h"\n',
        "search/fold.cpp": '#include "fold.h"\n#include <QString>\n',
        "ui/fonts.h": "#pragma once\n#include <QFont>\n",
        "ui/fonts.cpp": '#include "fonts.h"\n#include "search/fold.h"\n',
        f"{windows}/optionswindow.h": '#pragma once\n#include "ui/fonts.h"\n#include <QDialog>\n',
        f"{windows}/optionswindow.cpp": '#include "optionswindow.h"\n#include "ui_optionswindow.h"\n'
                                        '#include "search/fold.h"\n',
        f"{windows}/optionswindow.ui": "<ui/>\n",
        "app/mainwindow.h": '#pragma once\n#include "search/fold.h"\n',
        "app/mainwindow.cpp": f'#include "mainwindow.h"\n#include "{windows}/optionswindow.h"\n#include "mainwindow.moc"\n',
        "LAYERS": "# bottom first\n" + "\n".join(layers) + "\n",
        "CMakeLists.txt": f"""add_library(zarfan_core STATIC data/db.cpp data/db.h search/fold.cpp search/fold.h)
target_include_directories(zarfan_core PUBLIC ${{CMAKE_CURRENT_SOURCE_DIR}})
target_link_libraries(zarfan_core PUBLIC Qt6::Core)
add_library(zarfan_gui STATIC ui/fonts.cpp ui/fonts.h
  {windows}/optionswindow.cpp {windows}/optionswindow.h {windows}/optionswindow.ui
  app/mainwindow.cpp app/mainwindow.h)
target_link_libraries(zarfan_gui PUBLIC zarfan_core Qt6::Widgets)
""",
    }
    for name, text in files.items():
        path = os.path.join(root, "src", name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
    return windows


def check(root):
    r = subprocess.run([sys.executable, CHECK, os.path.join(root, "src")], capture_output=True, text=True)
    return r.returncode, r.stdout + r.stderr


failed = False
where, line, expected = CASES[CASE]
for folders in (False, True):
    if CASE == "window_in_logic_folder" and not folders:
        continue  # before the move a feature folder holds its windows by design
    form = "folders" if folders else "feature:logic"
    with tempfile.TemporaryDirectory() as root:
        windows = tree(root, folders)
        code, out = check(root)
        if code != 0:
            print(f"{form}: the clean tree fails:\n{out}")
            failed = True
            continue
        if where:
            where = CASES[CASE][0].format(windows=windows)
            path = os.path.join(root, "src", where)
            with open(path, encoding="utf-8") as f:
                number = f.read().count("\n") + 1
            with open(path, "a", encoding="utf-8") as f:
                f.write(line.format(windows=windows) + "\n")
            expected_where = f"src/{where}:{number}"
        else:  # a window built into the gui library, left in the logic folder
            with open(os.path.join(root, "src", "search", "resultswindow.cpp"), "w", encoding="utf-8") as f:
                f.write('#include "ui/fonts.h"\n')
            cmake = os.path.join(root, "src", "CMakeLists.txt")
            with open(cmake, encoding="utf-8") as f:
                text = f.read()
            with open(cmake, "w", encoding="utf-8") as f:
                f.write(text.replace("app/mainwindow.cpp", "search/resultswindow.cpp app/mainwindow.cpp"))
            expected_where = "src/search/resultswindow.cpp"
        code, out = check(root)
        if code == 0 or expected_where not in out or expected not in out:
            print(f"{form}: expected a failure at {expected_where} saying \"{expected}\", got {code}:\n{out}")
            failed = True
        else:
            print(f"{form}: refused as it should be: {out.splitlines()[0]}")
sys.exit(1 if failed else 0)
