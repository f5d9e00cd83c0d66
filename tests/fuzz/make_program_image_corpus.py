"""Writes the seed corpus of the program-image fuzzer into the folder given.

The seeds are tiny program images made here field by field, so that each one
can be read and changed in this script rather than kept as a binary file: a
PE32 x86 program, a PE32+ x64 and an ARM64 one, a signed program, a DLL, an
image with fewer data directories than a linker writes, one with bytes after
its last section, one cut off in the middle of it, one cut off in its
certificate table, one whose optional header ends inside that table's entry,
and two whose optional header is of the other word width than their machine.
Fields the check does not read are left zero.
"""

import pathlib
import struct
import sys

NEW_HEADER_AT = 0x40
SECTION_HEADER_SIZE = 40
RAW_DATA_SIZE = 0x40

MACHINE_X86 = 0x014C
MACHINE_X64 = 0x8664
MACHINE_ARM64 = 0xAA64

EXECUTABLE_IMAGE = 0x0002
LARGE_ADDRESS_AWARE = 0x0020
WORDS_32BIT = 0x0100
DLL = 0x2000

# Per format: magic, size of the fields before the data directories, and where
# among them the number of directories lies.
PE32 = (0x10B, 96, 92)
PE32_PLUS = (0x20B, 112, 108)
CERTIFICATE_ENTRY = 4


def image(machine, characteristics, optional_format, directories=16,
          header_cut=0, certificate_size=0, overlay=0):
    """A program image: three sections (.text and .data with raw data, .bss
    without) after the headers, then a certificate table of `certificate_size`
    bytes when that is not zero, then `overlay` bytes of appended data. The
    optional header ends `header_cut` bytes before its last data directory does."""
    magic, fixed_size, count_at = optional_format
    optional_size = fixed_size + 8 * directories - header_cut
    section_table_at = NEW_HEADER_AT + 24 + optional_size
    sections = [(b".text", RAW_DATA_SIZE), (b".data", RAW_DATA_SIZE), (b".bss", 0)]
    headers_size = section_table_at + SECTION_HEADER_SIZE * len(sections)
    headers_size = (headers_size + 0x3F) & ~0x3F

    section_table = b""
    raw_at = headers_size
    for name, raw_size in sections:
        section_table += struct.pack("<8s8xII16x", name, raw_size, raw_at if raw_size else 0)
        raw_at += raw_size
    certificate_at = raw_at

    optional = bytearray(fixed_size + 8 * directories)
    struct.pack_into("<H", optional, 0, magic)
    struct.pack_into("<I", optional, 60, headers_size)
    struct.pack_into("<I", optional, count_at, directories)
    if certificate_size and directories > CERTIFICATE_ENTRY:
        struct.pack_into("<II", optional, fixed_size + 8 * CERTIFICATE_ENTRY, certificate_at, certificate_size)
    del optional[optional_size:]

    dos_header = bytearray(NEW_HEADER_AT)
    dos_header[0:2] = b"MZ"
    struct.pack_into("<I", dos_header, 0x3C, NEW_HEADER_AT)
    file_header = struct.pack("<HHIIIHH", machine, len(sections), 0, 0, 0, optional_size, characteristics)

    headers = bytes(dos_header) + b"PE\0\0" + file_header + bytes(optional) + section_table
    data = headers.ljust(headers_size, b"\0")
    for _, raw_size in sections:
        data += b"\xCC" * raw_size
    return data + b"\0" * certificate_size + b"\xA5" * overlay


def seeds():
    program = EXECUTABLE_IMAGE | WORDS_32BIT
    program64 = EXECUTABLE_IMAGE | LARGE_ADDRESS_AWARE
    x86 = image(MACHINE_X86, program, PE32)
    return {
        "x86-program.exe": x86,
        "x64-program.exe": image(MACHINE_X64, program64, PE32_PLUS),
        "arm64-program.exe": image(MACHINE_ARM64, program64, PE32_PLUS),
        "signed-program.exe": image(MACHINE_X86, program, PE32, certificate_size=0x20),
        "library.dll": image(MACHINE_X86, program | DLL, PE32),
        "four-directories.exe": image(MACHINE_X86, program, PE32, directories=4),
        "appended-data.exe": image(MACHINE_X64, program64, PE32_PLUS, overlay=0x30),
        # Headers of the other word width than the machine's.
        "x86-program-with-pe32plus-header.exe": image(MACHINE_X86, program, PE32_PLUS),
        "x64-program-with-pe32-header.exe": image(MACHINE_X64, program64, PE32),
        "cut-download.exe": x86[:len(x86) - RAW_DATA_SIZE // 2],
        # The certificate table cut off: an update whose download stopped in it.
        "cut-certificate-table.exe": image(MACHINE_X86, program, PE32, certificate_size=0x20)[:-0x10],
        # The optional header ends inside the certificate table's entry, so that
        # the entry names no table, though its first bytes point past the file.
        "cut-certificate-entry.exe": image(MACHINE_X86, program, PE32, directories=5, header_cut=2,
                                           certificate_size=0x1000)[:-0x1000],
    }


def main():
    folder = pathlib.Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    for name, data in seeds().items():
        (folder / name).write_bytes(data)


if __name__ == "__main__":
    main()
