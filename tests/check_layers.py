#!/usr/bin/env python3
"""The layering test: every #include of a folder's files against what its libraries
may use, as the build declares it (quorvel_library's USES, written by
quorvel_write_layers; docs/architecture.md's table of layers says the same).

  check_layers.py SOURCE_DIR LAYERS_JSON [TABLE]

A file may include the headers of its own folder, and what its library USES: a
folder (every header in it) or a single header. A file of the folder that no library
lists (a header, a program's main) may include what any of the folder's libraries
may. Only includes in double quotes that name a folder of the tree are held to this;
the standard library and the system's headers are not. Prints each include that is
not allowed, as FILE:LINE, and exits 1 when there is any.

With TABLE (docs/architecture.md), the declarations are held to the table too: each
folder has a row, and its last column names, in backquotes, everything the folder's
libraries declare they use (`plugin/attributes/`, `host/ms_model_lib.h`).
"""

import json
import os
import re
import sys

# The top folders whose headers are included by their path from the top of the tree.
TREE = ("host", "framework", "plugin", "tools", "examples", "tests", "bench", "fuzz")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
SOURCE_SUFFIXES = (".h", ".cc", ".c")


def allows(uses, header):
    for used in uses:
        if used.endswith(".h") and header == used:
            return True
        if not used.endswith(".h") and header.startswith(used.rstrip("/") + "/"):
            return True
    return False


def problems(source_dir, libraries):
    folder_uses = {}
    file_uses = {}
    for library in libraries:
        folder = library["folder"]
        folder_uses.setdefault(folder, set()).update(library["uses"])
        for source in library["sources"]:
            file_uses.setdefault(folder + "/" + source, set()).update(library["uses"])
    found = []
    for folder in sorted(folder_uses):
        path = os.path.join(source_dir, folder)
        for name in sorted(os.listdir(path)):
            if not name.endswith(SOURCE_SUFFIXES):
                continue
            relative = folder + "/" + name
            uses = file_uses.get(relative, folder_uses[folder])
            with open(os.path.join(path, name), encoding="utf-8", errors="replace") as text:
                for number, line in enumerate(text, start=1):
                    match = INCLUDE.match(line)
                    if match is None:
                        continue
                    header = match.group(1)
                    if header.split("/", 1)[0] not in TREE or "/" not in header:
                        continue
                    if os.path.dirname(header) == folder or allows(uses, header):
                        continue
                    allowed = ", ".join(sorted(uses)) or "nothing beyond its own folder"
                    found.append(f"{relative}:{number}: includes \"{header}\", which {folder}/ "
                                 f"may not use (it may use: {allowed})")
    return found


TABLE_ROW = re.compile(r"^\|\s*`([^`]+)`[^|]*\|[^|]*\|(.*)\|\s*$")


def table_problems(table_path, libraries):
    rows = {}
    with open(table_path, encoding="utf-8") as text:
        for line in text:
            match = TABLE_ROW.match(line)
            if match is not None:
                rows[match.group(1).rstrip("/")] = match.group(2)
    found = []
    name = os.path.basename(table_path)
    for folder in sorted({library["folder"] for library in libraries}):
        if folder not in rows:
            found.append(f"{name}: the table of layers has no row for {folder}/")
            continue
        for used in sorted({u for l in libraries if l["folder"] == folder for u in l["uses"]}):
            quoted = "`" + (used if used.endswith(".h") else used.rstrip("/") + "/") + "`"
            if quoted not in rows[folder]:
                found.append(f"{name}: the row of {folder}/ does not name {quoted}, which its "
                             "libraries declare they use")
    return found


def main(argv):
    if len(argv) not in (3, 4):
        print("usage: check_layers.py SOURCE_DIR LAYERS_JSON [TABLE]", file=sys.stderr)
        return 2
    with open(argv[2], encoding="utf-8") as text:
        libraries = json.load(text)
    found = problems(argv[1], libraries)
    if len(argv) == 4:
        found += table_problems(argv[3], libraries)
    for problem in found:
        print(problem)
    if found:
        print(f"{len(found)} problem(s) with the layers", file=sys.stderr)
        return 1
    print(f"every include of {len({library['folder'] for library in libraries})} folders "
          "is allowed")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
