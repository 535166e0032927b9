#!/usr/bin/env python3
"""The layering test: every #include of a folder's files against what its libraries
may use, as the build declares it (quorvel_library's USES, written by
quorvel_write_layers; docs/architecture.md's table of layers says the same).

  check_layers.py SOURCE_DIR LAYERS_JSON [TABLE]

A file may include the headers of its own folder, and what its library USES: a
folder (every header in it) or a single header. A file of the folder that no library
lists (a header, a program's main) may include what any of the folder's libraries
may. Every include that names a file of the tree is held to this, however it is
written: in double quotes or angle brackets (the tree's top is on the include path),
or by a path from the including file's own folder ("../preview/pose.h"); the standard
library and the system's headers are not. A folder of those parts of the tree that
declare libraries (host, framework, ...) must declare one itself when it holds sources.
Prints each include that is not allowed, as FILE:LINE, and each such folder, and
exits 1 when there is any.

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
INCLUDE = re.compile(r'^\s*#\s*include\s*(?:"([^"]+)"|<([^>]+)>)')
SOURCE_SUFFIXES = (".h", ".cc", ".c")


def allows(uses, header):
    for used in uses:
        if used.endswith(".h") and header == used:
            return True
        if not used.endswith(".h") and header.startswith(used.rstrip("/") + "/"):
            return True
    return False


def included(source_dir, folder, match):
    """The header an include names, as a path from the top of the tree, and how the
    include is written; None for a header outside the tree. A quoted include is first
    looked for beside the including file, as the compiler looks for it."""
    quoted, angled = match.group(1), match.group(2)
    written = f'"{quoted}"' if quoted is not None else f"<{angled}>"
    header = quoted if quoted is not None else angled
    if quoted is not None:
        beside = os.path.normpath(os.path.join(folder, quoted)).replace(os.sep, "/")
        if os.path.isfile(os.path.join(source_dir, beside)):
            header = beside
    header = os.path.normpath(header).replace(os.sep, "/")
    if header.split("/", 1)[0] not in TREE or "/" not in header:
        return None
    return header, written


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
                    resolved = included(source_dir, folder, match)
                    if resolved is None:
                        continue
                    header, written = resolved
                    if os.path.dirname(header) == folder or allows(uses, header):
                        continue
                    if written[1:-1] != header:
                        written += f" ({header})"
                    allowed = ", ".join(sorted(uses)) or "nothing beyond its own folder"
                    found.append(f"{relative}:{number}: includes {written}, which {folder}/ "
                                 f"may not use (it may use: {allowed})")
    return found


def undeclared(source_dir, libraries):
    """The folders of the layered parts of the tree (the top folders where libraries
    are declared) that hold sources but declare no library: nothing would hold their
    includes, so they fail rather than pass unchecked."""
    declared = {library["folder"] for library in libraries}
    found = []
    for top in sorted({folder.split("/", 1)[0] for folder in declared}):
        for path, folders, names in os.walk(os.path.join(source_dir, top)):
            folders.sort()
            folder = os.path.relpath(path, source_dir).replace(os.sep, "/")
            if folder not in declared and any(n.endswith(SOURCE_SUFFIXES) for n in names):
                found.append(f"{folder}/: holds sources but declares no library, so none of "
                             "its includes is checked")
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
    found = problems(argv[1], libraries) + undeclared(argv[1], libraries)
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
