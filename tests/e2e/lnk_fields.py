#!/usr/bin/env python3
"""Prints a Windows shortcut's (.lnk) fields a test checks, one `name=value` a line: target (the
link info's local base path), description, relative_path, working_dir, arguments, icon. Read
from the file's own layout (the shell link binary format), not with Windows' shell."""
import struct
import sys

FLAGS = {"has_id_list": 0x1, "has_link_info": 0x2, "unicode": 0x80}
STRINGS = [("description", 0x4), ("relative_path", 0x8), ("working_dir", 0x10),
           ("arguments", 0x20), ("icon", 0x40)]


def main(path):
    data = open(path, "rb").read()
    if len(data) < 0x4C or struct.unpack_from("<I", data, 0)[0] != 0x4C:
        sys.exit(f"{path}: not a shortcut")
    flags = struct.unpack_from("<I", data, 0x14)[0]
    at = 0x4C
    if flags & FLAGS["has_id_list"]:
        at += 2 + struct.unpack_from("<H", data, at)[0]
    if flags & FLAGS["has_link_info"]:
        size, _, info_flags, _, base = struct.unpack_from("<IIIII", data, at)[:5]
        if info_flags & 1:  # a local path
            end = data.index(b"\0", at + base)
            print("target=" + data[at + base:end].decode("mbcs" if sys.platform == "win32" else "latin-1"))
        at += size
    unicode = flags & FLAGS["unicode"]
    for name, bit in STRINGS:
        if flags & bit:
            count = struct.unpack_from("<H", data, at)[0]
            width = 2 if unicode else 1
            raw = data[at + 2:at + 2 + count * width]
            print(name + "=" + raw.decode("utf-16-le" if unicode else "latin-1"))
            at += 2 + count * width


if __name__ == "__main__":
    main(sys.argv[1])
