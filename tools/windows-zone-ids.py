#!/usr/bin/env python3
"""src/platform/windows_zone_ids.h: each IANA zone name with the Windows time zone that keeps it,
from CLDR's windowsZones.xml (Debian's unicode-cldr-core package ships it), and the names tzdata
links to them (CLDR keeps old names such as Asia/Calcutta, people type Asia/Kolkata).

Usage: windows-zone-ids.py [windowsZones.xml [tzdata.zi]] > src/platform/windows_zone_ids.h
"""
import pathlib
import re
import sys
import xml.etree.ElementTree as ElementTree

SOURCE = "/usr/share/unicode/cldr/common/supplemental/windowsZones.xml"
LINKS = "/usr/share/zoneinfo/tzdata.zi"
COPYRIGHT = "/usr/share/doc/unicode-cldr-core/copyright"


def notice():
    """The Unicode copyright and permission notice, as the package's copyright file gives it."""
    text = pathlib.Path(COPYRIGHT).read_text(encoding="utf-8")
    start = text.index(" COPYRIGHT AND PERMISSION NOTICE")
    end = text.index("\n\n", start) if "\n\n" in text[start:] else len(text)
    lines = [line[1:] if line.startswith(" ") else line for line in text[start:end].splitlines()]
    return ["//" + ("" if line in ("", ".") else " " + line) for line in lines]


def zones(source):
    """{IANA name: Windows zone}; a name listed for several territories keeps its first."""
    found = {}
    for entry in ElementTree.parse(source).getroot().iter("mapZone"):
        for name in entry.get("type").split():
            found.setdefault(name, entry.get("other"))
    return found


def with_links(found, links):
    """Each name of a tzdata link (L target name) that CLDR lacks, with the zone of the other."""
    for line in pathlib.Path(links).read_text(encoding="utf-8").splitlines():
        if line.startswith("L "):
            _, target, name = line.split()
            for missing, known in ((target, name), (name, target)):
                if missing not in found and known in found:
                    found[missing] = found[known]
    return found


def main():
    source = sys.argv[1] if len(sys.argv) > 1 else SOURCE
    links = sys.argv[2] if len(sys.argv) > 2 else LINKS
    version = ElementTree.parse(source).getroot().find(".//mapTimezones").get("typeVersion")
    print("#pragma once")
    print("// Each IANA zone name with the Windows time zone that keeps it, sorted by name, made by")
    print(f"// tools/windows-zone-ids.py from CLDR's windowsZones.xml (tz {version}) and tzdata's links:")
    print("// not to be edited.")
    print("//")
    print("// The table is derived from Unicode CLDR data:")
    for line in notice():
        print(line)
    print("#include <string_view>")
    print()
    print("namespace quarvel {")
    print()
    print("struct WindowsZoneId {")
    print("  std::string_view iana;")
    print("  std::string_view windows;")
    print("};")
    print()
    print("inline constexpr WindowsZoneId kWindowsZoneIds[] = {")
    for name, windows in sorted(with_links(zones(source), links).items()):
        assert re.fullmatch(r"[A-Za-z0-9/_+.\- ()]+", name + windows), name
        print(f'    {{"{name}", "{windows}"}},')
    print("};")
    print()
    print("}  // namespace quarvel")


if __name__ == "__main__":
    main()
