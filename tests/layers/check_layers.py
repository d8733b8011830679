#!/usr/bin/env python3
"""No include runs upward: every #include "folder/..." of the project's sources names a layer at
or below the including file's own, in the order of SOURCE_ROOT/layers.txt (top first; folders on
one line are siblings, which never include each other). And a backend (a folder under
backends/) only translates: it never names what the core decides for it (BACKEND_NEVER_NAMES:
an error number, the clock's caption, a message's text), outside comments.

Usage: check_layers.py SOURCE_ROOT [FILE...]   check (FILEs: these only, relative to the root)
       check_layers.py --graph SOURCE_ROOT     the includes folder by folder, top layer first
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
COMMENT = re.compile(r"//.*")
BACKENDS = "backends/"
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


def read_layers(root):
    """A list of layers, top first; a layer is a list of folder prefixes."""
    lines = (root / "layers.txt").read_text(encoding="utf-8").splitlines()
    return [line.split() for line in lines if line.strip() and not line.startswith("#")]


def layer_of(layers, path):
    """(rank, prefix) of the longest layer prefix of path, or None outside the layers."""
    matches = [(rank, prefix) for rank, layer in enumerate(layers) for prefix in layer
               if path == prefix or path.startswith(prefix + "/")]
    return max(matches, key=lambda match: len(match[1]), default=None)


def includes(root, layers, files):
    """(file, line number, the including layer, the included layer, the included path)."""
    for file in files:
        source = layer_of(layers, file)
        if source is None:
            continue
        text = (root / file).read_text(encoding="utf-8", errors="replace")
        for number, line in enumerate(text.splitlines(), 1):
            match = INCLUDE.match(line)
            target = layer_of(layers, match.group(1)) if match else None
            if target is not None:  # else a header beside the file, a generated or system one
                yield file, number, source, target, match.group(1)


def backend_rule_faults(root, layers, files):
    """What a backend's lines name that only the core may."""
    found = []
    for file in files:
        source = layer_of(layers, file)
        if source is None or not source[1].startswith(BACKENDS):
            continue
        text = (root / file).read_text(encoding="utf-8", errors="replace")
        for number, line in enumerate(text.splitlines(), 1):
            code = COMMENT.sub("", line)
            found += [f"{file}:{number}: a backend names {what} ({re.search(pattern, code).group(0)})"
                      for pattern, what in BACKEND_NEVER_NAMES if re.search(pattern, code)]
    return found


def faults(root, layers, files):
    found = backend_rule_faults(root, layers, files)
    for file, number, source, target, path in includes(root, layers, files):
        if target[0] < source[0] or (target[0] == source[0] and target[1] != source[1]):
            kind = "a layer above" if target[0] < source[0] else "a sibling"
            found.append(f"{file}:{number}: {source[1]}/ includes {path} ({kind})")
    return found


def graph(root, layers, files):
    """One line a folder, top layer first: the folders below it that it includes."""
    edges = {}
    for _, _, source, target, _ in includes(root, layers, files):
        if target[1] != source[1]:
            edges.setdefault(source, set()).add(target)
    return [f"{source[1]} -> " + ", ".join(prefix for _, prefix in sorted(targets))
            for source, targets in sorted(edges.items())]


def sources(root, layers):
    folders = sorted({prefix.split("/")[0] for layer in layers for prefix in layer})
    return sorted(str(p.relative_to(root)) for folder in folders
                  for p in (root / folder).rglob("*") if p.suffix in (".h", ".cpp", ".rc"))


def main(args):
    drawing = args[:1] == ["--graph"]
    root = pathlib.Path(args[1] if drawing else args[0])
    layers = read_layers(root)
    files = (args[1:] if not drawing else []) or sources(root, layers)
    if not files:
        print("no sources found under", root)
        return 1
    if drawing:
        print("\n".join(graph(root, layers, files)))
        return 0
    found = faults(root, layers, files)
    for fault in found:
        print(fault)
    print(f"{len(files)} files, {len(found)} upward includes or backend rules")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
