#!/usr/bin/env python3
"""No include runs upward: every #include "folder/..." of the project's sources names a layer at
or below the including file's own, in ARCHITECTURE.md's layer table (top first). The backends
(platform/<name>/) are siblings, which never include each other.

And a backend only translates: it never names what the core decides for it (BACKEND_NEVER_NAMES:
an error number, the clock's caption, a message's text), outside comments.

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
# The backends: the layer whose folders translate the window systems.
BACKENDS = LAYERS[1]
# What a backend never names, and what each is: the core decides it and tells the backend.
BACKEND_NEVER_NAMES = [
    (r"\bkErr[A-Z]\w*", "an error number"),
    (r"\bErrorNumber\b", "an error number"),
    (r"\bRuntimeError\s*\(\s*\d", "an error number"),
    (r"\bErrorText\s*\(", "an error text"),
    (r"\bkCaption\b", "the caption"),
    (r"\bkMessageButton\b", "a message text"),
    (r'#\s*include\s+"runtime/caption\.h"', "the caption"),
]
SOURCE_FOLDERS = sorted({prefix.split("/")[0] for layer in LAYERS for prefix in layer})
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
COMMENT = re.compile(r"//.*")


def layer_of(path):
    """(rank, prefix) of the longest layer prefix of path, or None outside the layers."""
    matches = [(rank, prefix) for rank, layer in enumerate(LAYERS) for prefix in layer
               if path == prefix or path.startswith(prefix + "/")]
    return max(matches, key=lambda match: len(match[1]), default=None)


def backend_rule_faults(file, number, line):
    """What a backend's line names that only the core may."""
    code = COMMENT.sub("", line)
    return [f"{file}:{number}: a backend names {what} ({re.search(pattern, code).group(0)})"
            for pattern, what in BACKEND_NEVER_NAMES if re.search(pattern, code)]


def faults(root, files):
    found = []
    for file in files:
        source = layer_of(file)
        text = (root / file).read_text(encoding="utf-8", errors="replace") if source else ""
        in_backend = source is not None and source[1] in BACKENDS
        for number, line in enumerate(text.splitlines(), 1):
            if in_backend:
                found += backend_rule_faults(file, number, line)
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
    print(f"{len(files)} files, {len(found)} upward includes or backend rules")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
