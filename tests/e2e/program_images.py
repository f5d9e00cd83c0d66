"""Pending updates that no Windows here can start, made from a whole program image
by changing its headers, and a signed form of an image. Each helper finds the
fields it changes by reading the image's own headers, so it serves the player of
either build."""

import struct

MACHINE_X86 = 0x014C
MACHINE_ARM64 = 0xAA64
FILE_EXECUTABLE_IMAGE = 0x0002
FILE_DLL = 0x2000
MAGIC_PE32 = 0x10B
MAGIC_PE32_PLUS = 0x20B
CERTIFICATE_TABLE_DIRECTORY = 4
# WIN_CERTIFICATE: revision 2.0, a PKCS #7 signature.
CERTIFICATE_REVISION = 0x0200
CERTIFICATE_TYPE_PKCS_SIGNED_DATA = 0x0002


class Headers:
    """Where the fields the update check reads lie in `image`."""

    def __init__(self, image):
        (new_header,) = struct.unpack_from("<I", image, 0x3C)
        if image[new_header:new_header + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        file_header = new_header + 4
        self.machine = file_header
        self.characteristics = file_header + 18
        self.optional_header = file_header + 20
        (self.magic,) = struct.unpack_from("<H", image, self.optional_header)
        directories = self.optional_header + (96 if self.magic == MAGIC_PE32 else 112)
        self.certificate_entry = directories + CERTIFICATE_TABLE_DIRECTORY * 8


def with_field16(image, at, value):
    changed = bytearray(image)
    struct.pack_into("<H", changed, at, value)
    return bytes(changed)


def for_machine(image, machine):
    return with_field16(image, Headers(image).machine, machine)


def as_library(image):
    headers = Headers(image)
    (characteristics,) = struct.unpack_from("<H", image, headers.characteristics)
    return with_field16(image, headers.characteristics, characteristics | FILE_DLL)


def with_the_other_header_format(image):
    """`image` with the optional header's magic of the other word width: PE32+ for
    a PE32 program, PE32 for a PE32+ one. Its header is still long enough for
    either format."""
    headers = Headers(image)
    other = MAGIC_PE32_PLUS if headers.magic == MAGIC_PE32 else MAGIC_PE32
    return with_field16(image, headers.optional_header, other)


def headers_without_sections():
    """88 bytes: the DOS header, whose new-header offset is 64, the "PE\\0\\0"
    signature and the file header of an x86 executable with no sections and no
    optional header."""
    dos_header = b"MZ" + bytes(0x3A) + struct.pack("<I", 64)
    file_header = struct.pack("<HHIIIHH", MACHINE_X86, 0, 0, 0, 0, 0, FILE_EXECUTABLE_IMAGE)
    return dos_header + b"PE\0\0" + file_header


def signed(image, signature_size=0x400):
    """`image` with a certificate table after its last byte, at the next multiple
    of 8 as signing tools place it, named by the certificate table's entry of the
    data directories (a file offset, unlike the other entries); returns the
    signed image and the table's offset."""
    table_at = (len(image) + 7) // 8 * 8
    table_size = 8 + signature_size
    table = struct.pack("<IHH", table_size, CERTIFICATE_REVISION, CERTIFICATE_TYPE_PKCS_SIGNED_DATA)
    table += bytes((index * 7) & 0xFF for index in range(signature_size))
    changed = bytearray(image + bytes(table_at - len(image)) + table)
    struct.pack_into("<II", changed, Headers(image).certificate_entry, table_at, table_size)
    return bytes(changed), table_at


def signed_and_cut_inside_the_signature(image):
    """A signed download cut half way through its certificate table: every section
    is whole, the file is not."""
    signed_image, table_at = signed(image)
    return signed_image[:table_at + (len(signed_image) - table_at) // 2]
