#!/usr/bin/env python3
"""The layering test's own test: on a small tree made here, it lets through what the
layers allow and names the file and line of every include they do not."""

import json
import os
import subprocess
import sys
import tempfile

CHECK = os.path.join(os.path.dirname(os.path.abspath(__file__)), "check_layers.py")

LIBRARIES = [
    {"name": "low", "folder": "plugin/low", "uses": [], "sources": ["low.cc"]},
    {"name": "high", "folder": "tools/high", "uses": ["plugin/low", "host/c_calls.h"],
     "sources": ["high.cc", "high_windows.cc", "other.cc"]},
    {"name": "seam", "folder": "tools/high", "uses": ["framework/backend"],
     "sources": ["seam.cc"]},
]

FILES = {
    "plugin/low/low.h": "#pragma once\n#include <string>\n",
    "plugin/low/low.cc": '#include "plugin/low/low.h"\n#include "xxhash.h"\n',
    # The other system's file is held to the same rules.
    "tools/high/high_windows.cc": '#include "tools/high/high.h"\n\n#include "host/model.h"\n',
    "tools/high/high.cc": '#include "plugin/low/low.h"\n#include "host/c_calls.h"\n',
    # Only the seam's library may use the backend...
    "tools/high/seam.cc": '#include "framework/backend/one.h"\n',
    "tools/high/other.cc": '  #  include "framework/backend/one.h"\n',
    # ...and a header no library lists may use what any of its folder's may.
    "tools/high/high.h": '#pragma once\n#include "framework/backend/one.h"\n',
    # A lower layer may not use a higher one.
    "plugin/low/up.h": '#pragma once\n// a comment\n#include "tools/high/high.h"\n',
    # An include in angle brackets finds the tree's headers too...
    "plugin/low/angled.cc": '#include <vector>\n#include <tools/high/high.h>\n',
    # ...and one by a path from the file's own folder, which is held to what it reaches.
    "host/model.h": "#pragma once\n",
    "tools/high/relative.cc": '#include "high.h"\n#include "../../plugin/low/low.h"\n'
                              '#include "../../host/model.h"\n',
    # A folder of a layered part that declares no library would go unchecked.
    "plugin/loose/loose.cc": '#include "tools/high/high.h"\n',
    "plugin/loose/notes.txt": "not a source\n",
    # The table: a row that does not name all its folder's libraries use.
    "layers.md": "| folder | job | may use |\n|---|---|---|\n"
                 "| `plugin/low/` | the bottom | the standard library |\n"
                 "| `tools/high/` | the top | `plugin/low/`, `host/c_calls.h` |\n",
}

EXPECTED = [
    'plugin/low/angled.cc:2: includes <tools/high/high.h>, which plugin/low/ may not use '
    "(it may use: nothing beyond its own folder)",
    'plugin/low/up.h:3: includes "tools/high/high.h", which plugin/low/ may not use '
    "(it may use: nothing beyond its own folder)",
    'tools/high/high_windows.cc:3: includes "host/model.h", which tools/high/ may not use '
    "(it may use: host/c_calls.h, plugin/low)",
    'tools/high/other.cc:1: includes "framework/backend/one.h", which tools/high/ may not use '
    "(it may use: host/c_calls.h, plugin/low)",
    'tools/high/relative.cc:3: includes "../../host/model.h" (host/model.h), which tools/high/ '
    "may not use (it may use: framework/backend, host/c_calls.h, plugin/low)",
    "plugin/loose/: holds sources but declares no library, so none of its includes is "
    "checked",
    "layers.md: the row of tools/high/ does not name `framework/backend/`, which its libraries "
    "declare they use",
]


def main():
    with tempfile.TemporaryDirectory() as root:
        for path, text in FILES.items():
            os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
            with open(os.path.join(root, path), "w", encoding="utf-8") as out:
                out.write(text)
        layers = os.path.join(root, "layers.json")
        with open(layers, "w", encoding="utf-8") as out:
            json.dump(LIBRARIES, out)
        run = subprocess.run([sys.executable, CHECK, root, layers,
                              os.path.join(root, "layers.md")],
                             capture_output=True, text=True, check=False)
    found = run.stdout.splitlines()
    if run.returncode != 1 or found != EXPECTED:
        print(f"status {run.returncode}, found:\n" + "\n".join(found), file=sys.stderr)
        print("expected:\n" + "\n".join(EXPECTED), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
