#!/usr/bin/env python3
"""Checks a built exe as it would ship: its PE header (32 or 64 bit, stripped,
with DEP and ASLR: NX_COMPAT, DYNAMIC_BASE and, for 64 bits, HIGH_ENTROPY_VA),
the DLLs it imports (only those every Windows has) and its size. For the
launcher also the GUI subsystem and its resources (one 64 x 64 icon of 32 bits
per pixel, the version record 1.0.0.5 and a manifest that declares nothing);
for the settings tool the console subsystem.

usage: check_exe.py EXE launcher|settings-tool i686|x86_64 OBJDUMP [--largest BYTES]"""

import argparse
import re
import struct
import subprocess
import sys
import xml.etree.ElementTree as ElementTree
from pathlib import Path

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "ole32.dll", "oleaut32.dll", "advapi32.dll",
               "msvcrt.dll", "shell32.dll", "comctl32.dll", "wininet.dll"}
MAGIC = {"i686": "010b", "x86_64": "020b"}
SUBSYSTEM = {"launcher": "Windows GUI", "settings-tool": "Windows CUI"}
IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA, IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE = 0x20, 0x40
IMAGE_DLLCHARACTERISTICS_NX_COMPAT = 0x100
# What every shipped exe keeps: DEP and address space layout randomisation.
PROTECTIONS = {
    "i686": {"NX_COMPAT": IMAGE_DLLCHARACTERISTICS_NX_COMPAT, "DYNAMIC_BASE": IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE},
    "x86_64": {"NX_COMPAT": IMAGE_DLLCHARACTERISTICS_NX_COMPAT, "DYNAMIC_BASE": IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE,
               "HIGH_ENTROPY_VA": IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA},
}
RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24


def objdump_facts(objdump, exe):
    """Magic, subsystem and imported DLLs as `objdump -p` prints them."""
    text = subprocess.run([objdump, "-p", str(exe)], check=True, capture_output=True, text=True).stdout
    return {
        "magic": re.search(r"^Magic\s+(\w+)", text, re.M).group(1),
        "subsystem": re.search(r"^Subsystem\s+\w+\s+\((.*)\)", text, re.M).group(1),
        "dlls": {name.lower() for name in re.findall(r"DLL Name: (\S+)", text)},
    }


def symbol_count(image):
    """NumberOfSymbols of the COFF header: 0 in a stripped image."""
    return struct.unpack_from("<I", image, struct.unpack_from("<I", image, 0x3C)[0] + 16)[0]


def dll_characteristics(image):
    """DllCharacteristics of the optional header (the same offset for PE32 and PE32+)."""
    return struct.unpack_from("<H", image, struct.unpack_from("<I", image, 0x3C)[0] + 24 + 70)[0]


RESOURCE_DIRECTORY, BASE_RELOCATION_DIRECTORY = 2, 5


def data_directory(image, index):
    """(RVA, size) of one entry of the optional header's data directories, which
    follow 96 bytes of PE32 fields or 112 of PE32+ ones."""
    optional = struct.unpack_from("<I", image, 0x3C)[0] + 24
    directories = optional + (96 if struct.unpack_from("<H", image, optional)[0] == 0x10B else 112)
    return struct.unpack_from("<II", image, directories + index * 8)


def has_relocations(image):
    """Whether the base relocation directory is present, without which the image
    cannot be moved, whatever DYNAMIC_BASE says."""
    return data_directory(image, BASE_RELOCATION_DIRECTORY) != (0, 0)


def resources(image):
    """{type id: [data, ...]} of the PE image's resource tree."""
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    sections, optional_size = struct.unpack_from("<H", image, pe + 6)[0], struct.unpack_from("<H", image, pe + 20)[0]
    optional = pe + 24
    resource_rva = data_directory(image, RESOURCE_DIRECTORY)[0]
    if resource_rva == 0:
        return {}
    table = optional + optional_size
    spans = [struct.unpack_from("<IIII", image, table + 40 * i + 8) for i in range(sections)]

    def offset(rva):
        for virtual_size, address, raw_size, raw_offset in spans:
            if address <= rva < address + max(virtual_size, raw_size):
                return rva - address + raw_offset
        raise ValueError(f"RVA {rva:#x} is in no section")

    base = offset(resource_rva)

    def entries(directory):
        named, numbered = struct.unpack_from("<HH", image, base + directory + 12)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", image, base + directory + 16 + 8 * i)
            yield name, target

    def leaves(target):
        if target & 0x80000000:
            for _, child in entries(target & 0x7FFFFFFF):
                yield from leaves(child)
        else:
            rva, size = struct.unpack_from("<II", image, base + target)
            yield image[offset(rva):offset(rva) + size]

    return {kind: list(leaves(target)) for kind, target in entries(0)}


def check(exe, kind, arch, objdump, largest):
    problems = []
    facts = objdump_facts(objdump, exe)
    if facts["magic"] != MAGIC[arch]:
        problems.append(f"PE magic {facts['magic']}, expected {MAGIC[arch]}")
    if facts["subsystem"] != SUBSYSTEM[kind]:
        problems.append(f"subsystem {facts['subsystem']!r}, expected {SUBSYSTEM[kind]!r}")
    if facts["dlls"] - SYSTEM_DLLS:
        problems.append(f"imports DLLs that are not part of Windows: {sorted(facts['dlls'] - SYSTEM_DLLS)}")
    image = exe.read_bytes()
    if symbol_count(image):
        problems.append(f"not stripped: {symbol_count(image)} symbols")
    size = exe.stat().st_size
    if largest and size > largest:
        problems.append(f"{size} bytes, more than {largest}")
    characteristics = dll_characteristics(image)
    missing = [name for name, bit in PROTECTIONS[arch].items() if not characteristics & bit]
    if missing:
        problems.append(f"DllCharacteristics {characteristics:#06x} lacks {', '.join(missing)}")
    if not has_relocations(image):
        problems.append("no base relocations, so the image cannot be placed at a random address")
    if kind == "launcher":
        problems += resource_problems(image)

    print(f"{exe}: {size} bytes, imports {sorted(facts['dlls'])}, DllCharacteristics {characteristics:#06x}")
    for problem in problems:
        print(f"problem: {problem}")
    return not problems


def resource_problems(image):
    problems = []
    found = resources(image)
    icons, groups = found.get(RT_ICON, []), found.get(RT_GROUP_ICON, [])
    if len(icons) != 1 or len(groups) != 1:
        problems.append(f"{len(icons)} icon images in {len(groups)} icon groups, expected one of each")
    else:
        width, height, _, bits = struct.unpack_from("<iiHH", icons[0], 4)
        if (width, height // 2, bits) != (64, 64, 32):
            problems.append(f"icon {width} x {height // 2} at {bits} bits, expected 64 x 64 at 32 bits")
    versions = found.get(RT_VERSION, [])
    fixed = versions[0].find(struct.pack("<I", 0xFEEF04BD)) if len(versions) == 1 else -1
    if fixed < 0:
        problems.append(f"{len(versions)} version records with a fixed part, expected one")
    else:
        file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<IIII", versions[0], fixed + 8)
        as_text = [f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"
                   for ms, ls in ((file_ms, file_ls), (product_ms, product_ls))]
        if as_text != ["1.0.0.5", "1.0.0.5"]:
            problems.append(f"file and product version {as_text}, expected 1.0.0.5 for both")
    manifests = found.get(RT_MANIFEST, [])
    if len(manifests) != 1:
        problems.append(f"{len(manifests)} manifests, expected one")
    elif len(ElementTree.fromstring(manifests[0])) != 0:
        problems.append("the manifest declares something: " + manifests[0].decode("utf-8", "replace"))
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("exe", type=Path)
    parser.add_argument("kind", choices=SUBSYSTEM)
    parser.add_argument("arch", choices=MAGIC)
    parser.add_argument("objdump")
    parser.add_argument("--largest", type=int, default=0, help="largest size allowed, in bytes")
    arguments = parser.parse_args()
    return 0 if check(arguments.exe, arguments.kind, arguments.arch, arguments.objdump, arguments.largest) else 1


if __name__ == "__main__":
    sys.exit(main())
