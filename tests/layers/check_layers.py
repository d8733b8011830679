#!/usr/bin/env python3
"""No include runs upward: every #include "folder/..." of the project's sources names a layer at
or below the including file's own. The order is ARCHITECTURE.md's layer table, top first.

A layer may include itself and any layer below it. The backends (platform/<name>/) and the Linux
desktop's conventions sit above the core, which never includes them, and below the programs;
two backends never include each other. The seam (platform/*.h) is below the core.

Usage: check_layers.py SOURCE_ROOT [FILE...]  (FILEs: check these only, relative to the root)
"""
import pathlib
import re
import sys

# Top first. One entry a layer; a layer is a folder prefix (the longest one that matches wins).
LAYERS = [
    ["apps"],
    ["platform/win32", "platform/x11", "platform/headless"],  # siblings: never each other
    ["desktop"],
    ["skineditor"],
    ["clockwindow"],
    ["skin"],
    ["clockface"],
    ["infodialog"],
    ["platform"],
    ["runtime"],
]
SOURCE_FOLDERS = sorted({prefix.split("/")[0] for layer in LAYERS for prefix in layer})
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def layer_of(path):
    """(rank, prefix) of the longest layer prefix of path, or None outside the layers."""
    best = None
    for rank, layer in enumerate(LAYERS):
        for prefix in layer:
            if path == prefix or path.startswith(prefix + "/"):
                if best is None or len(prefix) > len(best[1]):
                    best = (rank, prefix)
    return best


def faults(root, files):
    found = []
    for file in files:
        source = layer_of(file)
        if source is None:
            continue
        text = (root / file).read_text(encoding="utf-8", errors="replace")
        for number, line in enumerate(text.splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            target = layer_of(match.group(1))
            if target is None:
                continue  # a header beside the file, a generated one, a system one
            upward = target[0] < source[0]
            sideways = target[0] == source[0] and target[1] != source[1]
            if upward or sideways:
                found.append(f"{file}:{number}: {source[1]}/ includes {match.group(1)} "
                             f"({'a layer above' if upward else 'a sibling'})")
    return found


def main():
    root = pathlib.Path(sys.argv[1])
    if len(sys.argv) > 2:
        files = sys.argv[2:]
    else:
        files = sorted(str(p.relative_to(root)) for folder in SOURCE_FOLDERS
                       for p in (root / folder).rglob("*") if p.suffix in (".h", ".cpp", ".rc"))
    if not files:
        print("no sources found under", root)
        return 1
    found = faults(root, files)
    for fault in found:
        print(fault)
    print(f"{len(files)} files, {len(found)} upward includes")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
