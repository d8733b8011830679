#!/usr/bin/env python3
"""No include runs upward: every #include "folder/..." of the project's sources names a layer at
or below the including file's own, in ARCHITECTURE.md's layer table (top first). The backends
(platform/<name>/) are siblings, which never include each other.

Usage: check_layers.py SOURCE_ROOT [FILE...]  (FILEs: check these only, relative to the root)
"""
import pathlib
import re
import sys

# Top first. One entry a layer; a layer is a folder prefix (the longest one that matches wins).
LAYERS = [
    ["apps"],
    ["platform/win32", "platform/x11", "platform/headless"],
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
    matches = [(rank, prefix) for rank, layer in enumerate(LAYERS) for prefix in layer
               if path == prefix or path.startswith(prefix + "/")]
    return max(matches, key=lambda match: len(match[1]), default=None)


def faults(root, files):
    found = []
    for file in files:
        source = layer_of(file)
        text = (root / file).read_text(encoding="utf-8", errors="replace") if source else ""
        for number, line in enumerate(text.splitlines(), 1):
            match = INCLUDE.match(line)
            target = layer_of(match.group(1)) if match else None
            if target is None:
                continue  # not an include, or a header beside the file, a generated or system one
            if target[0] < source[0] or (target[0] == source[0] and target[1] != source[1]):
                kind = "a layer above" if target[0] < source[0] else "a sibling"
                found.append(f"{file}:{number}: {source[1]}/ includes {match.group(1)} ({kind})")
    return found


def main():
    root = pathlib.Path(sys.argv[1])
    files = sys.argv[2:] or sorted(str(p.relative_to(root)) for folder in SOURCE_FOLDERS
                                   for p in (root / folder).rglob("*")
                                   if p.suffix in (".h", ".cpp", ".rc"))
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
