#include "ProgramImage.h"

namespace {

// Where the fields the check needs lie in the PE format, in bytes.
const std::size_t kDosHeaderSize = 64;
const std::size_t kNewHeaderOffsetField = 0x3C;
const std::size_t kSignatureSize = 4;
const std::size_t kFileHeaderSize = 20;
const std::size_t kMachineField = kSignatureSize;
const std::size_t kSectionCountField = kSignatureSize + 2;
const std::size_t kOptionalHeaderSizeField = kSignatureSize + 16;
const std::size_t kCharacteristicsField = kSignatureSize + 18;
const std::size_t kSectionHeaderSize = 40;
const std::size_t kRawDataSizeField = 16;
const std::size_t kRawDataPointerField = 20;

// Bits of the file header's characteristics.
const std::uint32_t kExecutableImage = 0x0002;
const std::uint32_t kDynamicLinkLibrary = 0x2000;

// The optional header: its two formats and the fields both share.
const std::uint32_t kMagicPe32 = 0x10B;
const std::uint32_t kMagicPe32Plus = 0x20B;
const std::size_t kHeadersSizeField = 60;
const std::size_t kDataDirectorySize = 8;
const std::size_t kCertificateTableDirectory = 4;

// The fields of one optional-header format before its data directories; the
// last of them is the number of data directories.
struct OptionalHeaderFormat {
    std::size_t fixedSize;
    std::size_t directoryCountField;
};
constexpr OptionalHeaderFormat kPe32 = {96, 92};
constexpr OptionalHeaderFormat kPe32Plus = {112, 108};
// As much of the optional header as the check reads: the fixed fields of the
// longer format and the directories up to the certificate table's.
constexpr std::size_t kOptionalHeaderReadSize = kPe32Plus.fixedSize + (kCertificateTableDirectory + 1) * kDataDirectorySize;

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

bool ExtentInside(std::uint64_t offset, std::uint64_t length, std::uint64_t size)
{
    return offset <= size && length <= size - offset;
}

// Whether the optional header of `headerSize` bytes, of which `header` holds the
// first ones, has the format a program for `machine` needs and holds its fixed
// fields, and whether the headers and the certificate table it gives lie inside
// a file of `fileSize`. Windows loads x86 programs only with PE32 headers and
// x64 and ARM64 ones only with PE32+ headers.
bool IsSoundOptionalHeader(const unsigned char* header, std::size_t headerSize, std::uint16_t machine,
                           std::uint64_t fileSize)
{
    if (headerSize < 2)
        return false;
    const bool isPe32 = machine == kMachineX86;
    if (LittleEndian16(header) != (isPe32 ? kMagicPe32 : kMagicPe32Plus))
        return false;
    const OptionalHeaderFormat& format = isPe32 ? kPe32 : kPe32Plus;
    if (headerSize < format.fixedSize)
        return false;
    if (LittleEndian32(header + kHeadersSizeField) > fileSize)
        return false;
    const std::size_t certificateEntry = format.fixedSize + kCertificateTableDirectory * kDataDirectorySize;
    const bool hasCertificateEntry = LittleEndian32(header + format.directoryCountField) > kCertificateTableDirectory &&
        certificateEntry + kDataDirectorySize <= headerSize;
    if (!hasCertificateEntry)
        return true;
    // The certificate table's entry gives a file offset, not an address in memory;
    // a table of no bytes is no table.
    const std::uint64_t tableOffset = LittleEndian32(header + certificateEntry);
    const std::uint64_t tableSize = LittleEndian32(header + certificateEntry + 4);
    return tableSize == 0 || ExtentInside(tableOffset, tableSize, fileSize);
}

}  // namespace

bool SystemRunsMachine(std::uint16_t systemMachine, std::uint16_t programMachine)
{
    switch (programMachine) {
    case kMachineX86:
        return true;
    case kMachineX64:
        return systemMachine == kMachineX64 || systemMachine == kMachineArm64;
    case kMachineArm64:
        return systemMachine == kMachineArm64;
    default:
        return false;
    }
}

bool IsStartableProgramImage(const FileBytesSource& file, std::uint16_t systemMachine)
{
    unsigned char dosHeader[kDosHeaderSize];
    if (!ReadInside(file, 0, dosHeader, sizeof dosHeader) || dosHeader[0] != 'M' || dosHeader[1] != 'Z')
        return false;
    const std::uint64_t newHeaderOffset = LittleEndian32(dosHeader + kNewHeaderOffsetField);

    unsigned char newHeader[kSignatureSize + kFileHeaderSize];
    if (!ReadInside(file, newHeaderOffset, newHeader, sizeof newHeader) || newHeader[0] != 'P' ||
        newHeader[1] != 'E' || newHeader[2] != 0 || newHeader[3] != 0)
        return false;
    const auto machine = static_cast<std::uint16_t>(LittleEndian16(newHeader + kMachineField));
    if (!SystemRunsMachine(systemMachine, machine))
        return false;
    const std::uint32_t characteristics = LittleEndian16(newHeader + kCharacteristicsField);
    if ((characteristics & kExecutableImage) == 0 || (characteristics & kDynamicLinkLibrary) != 0)
        return false;

    const std::uint64_t size = file.Size();
    const std::size_t optionalHeaderSize = LittleEndian16(newHeader + kOptionalHeaderSizeField);
    const std::uint64_t optionalHeaderOffset = newHeaderOffset + sizeof newHeader;
    unsigned char optionalHeader[kOptionalHeaderReadSize] = {};
    const std::size_t optionalHeaderRead =
        optionalHeaderSize < sizeof optionalHeader ? optionalHeaderSize : sizeof optionalHeader;
    if (!ReadInside(file, optionalHeaderOffset, optionalHeader, optionalHeaderRead) ||
        !IsSoundOptionalHeader(optionalHeader, optionalHeaderSize, machine, size))
        return false;

    const std::size_t sectionCount = LittleEndian16(newHeader + kSectionCountField);
    const std::uint64_t sectionTableOffset = optionalHeaderOffset + optionalHeaderSize;
    if (sectionCount == 0)
        return false;
    for (std::size_t section = 0; section < sectionCount; ++section) {
        unsigned char header[kSectionHeaderSize];
        if (!ReadInside(file, sectionTableOffset + section * kSectionHeaderSize, header, sizeof header))
            return false;
        const std::uint64_t rawDataSize = LittleEndian32(header + kRawDataSizeField);
        const std::uint64_t rawDataOffset = LittleEndian32(header + kRawDataPointerField);
        // A section without raw data (uninitialised data) occupies no bytes of the file.
        if (rawDataSize != 0 && !ExtentInside(rawDataOffset, rawDataSize, size))
            return false;
    }
    return true;
}
