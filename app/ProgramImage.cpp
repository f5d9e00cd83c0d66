#include "ProgramImage.h"

namespace {

// Where the fields the check needs lie in the PE format, in bytes.
const std::size_t kDosHeaderSize = 64;
const std::size_t kNewHeaderOffsetField = 0x3C;
const std::size_t kSignatureSize = 4;
const std::size_t kFileHeaderSize = 20;
const std::size_t kSectionCountField = kSignatureSize + 2;
const std::size_t kOptionalHeaderSizeField = kSignatureSize + 16;
const std::size_t kSectionHeaderSize = 40;
const std::size_t kRawDataSizeField = 16;
const std::size_t kRawDataPointerField = 20;

std::uint32_t LittleEndian16(const unsigned char* bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8;
}

std::uint32_t LittleEndian32(const unsigned char* bytes)
{
    return LittleEndian16(bytes) | LittleEndian16(bytes + 2) << 16;
}

// Reads `count` bytes at `offset`, false unless all of them lie inside the file.
bool ReadInside(const FileBytesSource& file, std::uint64_t offset, unsigned char* buffer, std::size_t count)
{
    const std::uint64_t size = file.Size();
    if (offset > size || count > size - offset)
        return false;
    return file.Read(offset, buffer, count);
}

}  // namespace

bool IsCompleteProgramImage(const FileBytesSource& file)
{
    unsigned char dosHeader[kDosHeaderSize];
    if (!ReadInside(file, 0, dosHeader, sizeof dosHeader) || dosHeader[0] != 'M' || dosHeader[1] != 'Z')
        return false;
    const std::uint64_t newHeaderOffset = LittleEndian32(dosHeader + kNewHeaderOffsetField);

    unsigned char newHeader[kSignatureSize + kFileHeaderSize];
    if (!ReadInside(file, newHeaderOffset, newHeader, sizeof newHeader) || newHeader[0] != 'P' ||
        newHeader[1] != 'E' || newHeader[2] != 0 || newHeader[3] != 0)
        return false;
    const std::size_t sectionCount = LittleEndian16(newHeader + kSectionCountField);
    const std::uint64_t sectionTableOffset =
        newHeaderOffset + sizeof newHeader + LittleEndian16(newHeader + kOptionalHeaderSizeField);

    const std::uint64_t size = file.Size();
    if (sectionTableOffset > size)
        return false;
    for (std::size_t section = 0; section < sectionCount; ++section) {
        unsigned char header[kSectionHeaderSize];
        if (!ReadInside(file, sectionTableOffset + section * kSectionHeaderSize, header, sizeof header))
            return false;
        const std::uint64_t rawDataSize = LittleEndian32(header + kRawDataSizeField);
        const std::uint64_t rawDataOffset = LittleEndian32(header + kRawDataPointerField);
        // A section without raw data (uninitialised data) occupies no bytes of the file.
        if (rawDataSize != 0 && rawDataOffset + rawDataSize > size)
            return false;
    }
    return true;
}
