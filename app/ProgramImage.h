// Whether a file holds a whole Windows program image, so that an update cut off
// while it was downloaded is never installed over a working player. Portable:
// no Windows header.
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

// True when the file starts with the headers of a program image (the DOS header
// with "MZ" and the offset of the new header, the "PE\0\0" signature, the file
// header, an optional header of the size the file header gives, the section
// table) and every section's raw data lies inside the file. Bytes after the last
// section are allowed. Reads only the headers and the section table.
bool IsCompleteProgramImage(const FileBytesSource& file);
