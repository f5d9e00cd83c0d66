// Whether a file holds a whole Windows program that this system can start, so
// that an update cut off while it was downloaded, or one that is no program for
// this Windows, is never installed over a working player. Portable: no Windows
// header.
#pragma once

#include <cstddef>
#include <cstdint>

// Random access to the bytes of one file.
class FileBytesSource {
public:
    virtual std::uint64_t Size() const = 0;
    // Reads exactly `count` bytes at `offset` into `buffer`; false when it cannot.
    virtual bool Read(std::uint64_t offset, unsigned char* buffer, std::size_t count) const = 0;

protected:
    ~FileBytesSource() = default;
};

// Processors as the file header of a program image names them.
const std::uint16_t kMachineX86 = 0x014C;
const std::uint16_t kMachineX64 = 0x8664;
const std::uint16_t kMachineArm64 = 0xAA64;

// Whether a Windows running on `systemMachine` starts programs built for
// `programMachine`: x86 programs everywhere, x64 ones on x64 and on ARM64 (which
// emulates x64), ARM64 ones on ARM64 only; nothing else.
bool SystemRunsMachine(std::uint16_t systemMachine, std::uint16_t programMachine);

// True when the file holds a program image that a Windows running on
// `systemMachine` can start:
// - the DOS header with "MZ" and the offset of the new header, the "PE\0\0"
//   signature and the file header;
// - a machine that the system runs (SystemRunsMachine);
// - marked an executable image, and not a DLL;
// - an optional header of the format its machine needs (PE32 for x86, PE32+ for
//   x64 and ARM64), at least as long as that format's fields before the data
//   directories, whose size of the headers lies inside the file;
// - at least one section, and every section's raw data inside the file;
// - a certificate table, where the data directories give one, inside the file.
// Bytes after the last section are allowed, and the checksum is not looked at,
// since publishers append data without computing it again. Reads only the
// headers and the section table.
bool IsStartableProgramImage(const FileBytesSource& file, std::uint16_t systemMachine);
