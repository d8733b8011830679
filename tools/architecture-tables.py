#!/usr/bin/env python3
"""ARCHITECTURE.md's tables of files, a line per file, made from what each header says first.

Usage: architecture-tables.py [ROOT]          print the tables
       architecture-tables.py --check [ROOT]  fail when ARCHITECTURE.md's tables are not these
       architecture-tables.py --write [ROOT]  put these tables into ARCHITECTURE.md
The tables stand between the two marker lines below; the layers come from src/layers.txt.
"""
import pathlib
import re
import sys

BEGIN = "<!-- made by tools/architecture-tables.py --write: not to be edited by hand -->"
END = "<!-- end of the made tables -->"
LONGEST = 120


def first_sentence(path):
    """The first sentence of the comment that opens the file, shortened to LONGEST."""
    lines = path.read_text(encoding="utf-8").splitlines()
    lines = [line for line in lines if line.strip() and not line.startswith("#pragma")]
    comment = []
    for line in lines:
        if not line.startswith("//"):
            break
        comment.append(line[2:].strip())
    text = " ".join(comment).replace("|", "\\|")
    match = re.match(r"(.+?\.)(\s|$)", text)
    sentence = match.group(1) if match else text
    if len(sentence) > LONGEST:
        sentence = sentence[:LONGEST].rsplit(" ", 1)[0].rstrip(",;:(") + " …"
    return sentence or "(the file says nothing of itself)"


def tables(root):
    src = root / "src"
    layers = [line.split() for line in (src / "layers.txt").read_text().splitlines()
              if line.strip() and not line.startswith("#")]
    out = []
    for layer in layers:
        for prefix in layer:
            folder = src / prefix
            groups = {}
            for path in sorted(folder.rglob("*")):
                if path.suffix in (".h", ".cpp"):
                    groups.setdefault(path.relative_to(folder).with_suffix(""), []).append(path)
            out += ["", f"`src/{prefix}/`", "", "| File | What it is for |", "|---|---|"]
            for stem, paths in sorted(groups.items()):
                headers = [p for p in paths if p.suffix == ".h"]
                name = f"{stem}.*" if len(paths) > 1 else str(paths[0].relative_to(folder))
                out.append(f"| `{name}` | {first_sentence((headers or paths)[0])} |")
    return "\n".join(out[1:]) + "\n"


def main(args):
    mode = args[0] if args and args[0].startswith("--") else ""
    root = pathlib.Path((args[1:] if mode else args)[0] if (args[1:] if mode else args) else ".")
    made = tables(root)
    if not mode:
        sys.stdout.write(made)
        return 0
    doc = root / "ARCHITECTURE.md"
    text = doc.read_text(encoding="utf-8")
    start, end = text.index(BEGIN) + len(BEGIN) + 1, text.index(END)
    if mode == "--write":
        doc.write_text(text[:start] + made + text[end:], encoding="utf-8")
        return 0
    if text[start:end] != made:
        print("ARCHITECTURE.md's tables of files are not the sources' own: run "
              "tools/architecture-tables.py --write, then say more where a line is too thin")
        return 1
    print("ARCHITECTURE.md lists every file as its header says")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
