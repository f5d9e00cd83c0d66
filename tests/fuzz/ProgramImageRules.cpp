#include "ProgramImageRules.h"

#include <algorithm>
#include <iterator>

namespace fuzz {

namespace {

const std::uint16_t kX86 = 0x014C;
const std::uint16_t kX64 = 0x8664;
const std::uint16_t kArm64 = 0xAA64;

// Which system runs programs for which processor, pair by pair; any pair not
// listed does not run.
struct Pairing {
    std::uint16_t system;
    std::uint16_t program;
};
const Pairing kRunnable[] = {
    {kX86, kX86}, {kX64, kX86}, {kArm64, kX86}, {kX64, kX64}, {kArm64, kX64}, {kArm64, kArm64},
};

const std::uint64_t kDosHeaderEnd = 64;
const std::uint32_t kMz = 'M' | 'Z' << 8;
const std::uint32_t kPeSignature = 'P' | 'E' << 8;  // and two zero bytes
// The signature and the file header after it.
const std::uint64_t kNewHeaderSize = 4 + 20;
const std::uint64_t kSectionHeaderSize = 40;

// Where the new header lies and what its file header says.
struct Headers {
    std::uint64_t at;
    std::uint16_t machine;
    std::uint32_t sectionCount;
    std::uint32_t optionalHeaderSize;
    std::uint32_t characteristics;

    std::uint64_t OptionalHeader() const { return at + kNewHeaderSize; }
    std::uint64_t SectionTable() const { return OptionalHeader() + optionalHeaderSize; }
    std::uint64_t SectionTableSize() const { return kSectionHeaderSize * sectionCount; }
};

// An optional-header format: its magic, the size of its fields before the data
// directories, and where among them the number of directories lies.
struct Format {
    std::uint32_t magic;
    std::uint32_t fixedSize;
    std::uint32_t directoryCountAt;
};
const Format kFormats[] = {{0x10B, 96, 92}, {0x20B, 112, 108}};
// Which optional-header format a program for each processor has: PE32 for
// 32-bit words, PE32+ for 64-bit ones.
struct MachineFormat {
    std::uint16_t machine;
    std::uint32_t magic;
};
const MachineFormat kMachineFormats[] = {{kX86, 0x10B}, {kX64, 0x20B}, {kArm64, 0x20B}};
const std::uint32_t kCertificateEntry = 4;
const std::uint32_t kDirectoryEntrySize = 8;

std::optional<std::uint64_t> NewHeaderAt(const LittleEndianBytes& input)
{
    if (!input.Holds(0, kDosHeaderEnd) || input.Field(0, 2) != kMz)
        return std::nullopt;
    return input.Field(0x3C, 4);
}

std::optional<Headers> HeadersOf(const LittleEndianBytes& input)
{
    const std::optional<std::uint64_t> at = NewHeaderAt(input);
    if (!at || !input.Holds(*at, kNewHeaderSize) || input.Field(*at, 4) != kPeSignature)
        return std::nullopt;
    return Headers{*at, static_cast<std::uint16_t>(*input.Field(*at + 4, 2)), *input.Field(*at + 6, 2),
                   *input.Field(*at + 20, 2), *input.Field(*at + 22, 2)};
}

bool IsProgramNotLibrary(const Headers& headers)
{
    const bool executable = (headers.characteristics & 0x0002) != 0;
    const bool library = (headers.characteristics & 0x2000) != 0;
    return executable && !library;
}

bool IsFormatOfMachine(std::uint16_t machine, std::uint32_t magic)
{
    return std::any_of(std::begin(kMachineFormats), std::end(kMachineFormats), [&](const MachineFormat& pairing) {
        return pairing.machine == machine && pairing.magic == magic;
    });
}

// The format whose magic the optional header starts with, when it is the format
// of the file header's machine and the header is long enough for that format's
// fixed fields.
std::optional<Format> FormatOf(const LittleEndianBytes& input, const Headers& headers)
{
    const std::optional<std::uint32_t> magic = input.Field(headers.OptionalHeader(), 2);
    const auto format = std::find_if(std::begin(kFormats), std::end(kFormats), [&](const Format& candidate) {
        return magic == candidate.magic && IsFormatOfMachine(headers.machine, candidate.magic) &&
               candidate.fixedSize <= headers.optionalHeaderSize;
    });
    if (format == std::end(kFormats))
        return std::nullopt;
    return *format;
}

// A certificate table counts when the header names more than four directories
// and holds the whole fifth entry; an entry of size zero names no table.
bool CertificateTableInside(const LittleEndianBytes& input, const Headers& headers, const Format& format)
{
    const std::optional<std::uint32_t> directoryCount = input.Field(headers.OptionalHeader() + format.directoryCountAt, 4);
    if (!directoryCount)
        return false;
    const std::uint32_t entryAt = format.fixedSize + kCertificateEntry * kDirectoryEntrySize;
    if (*directoryCount <= kCertificateEntry || entryAt + kDirectoryEntrySize > headers.optionalHeaderSize)
        return true;
    const std::optional<std::uint32_t> offset = input.Field(headers.OptionalHeader() + entryAt, 4);
    const std::optional<std::uint32_t> size = input.Field(headers.OptionalHeader() + entryAt + 4, 4);
    if (!offset || !size)
        return false;
    return *size == 0 || std::uint64_t{*offset} + *size <= input.Size();
}

bool OptionalHeaderSound(const LittleEndianBytes& input, const Headers& headers)
{
    const std::optional<Format> format = FormatOf(input, headers);
    if (!format)
        return false;
    const std::optional<std::uint32_t> headersSize = input.Field(headers.OptionalHeader() + 60, 4);
    return headersSize && *headersSize <= input.Size() && CertificateTableInside(input, headers, *format);
}

bool SectionsInside(const LittleEndianBytes& input, const Headers& headers)
{
    if (headers.sectionCount == 0 || !input.Holds(headers.SectionTable(), headers.SectionTableSize()))
        return false;
    for (std::uint64_t at = headers.SectionTable(); at < headers.SectionTable() + headers.SectionTableSize();
         at += kSectionHeaderSize) {
        const std::uint32_t rawSize = *input.Field(at + 16, 4);
        const std::uint32_t rawAt = *input.Field(at + 20, 4);
        if (rawSize != 0 && !input.Holds(rawAt, rawSize))
            return false;
    }
    return true;
}

}  // namespace

bool LittleEndianBytes::Holds(std::uint64_t begin, std::uint64_t length) const
{
    return length <= m_size && begin <= m_size - length;
}

std::optional<std::uint32_t> LittleEndianBytes::Field(std::uint64_t at, unsigned width) const
{
    if (!Holds(at, width))
        return std::nullopt;
    std::uint32_t value = 0;
    for (unsigned i = width; i-- > 0;)
        value = value << 8 | m_data[at + i];
    return value;
}

const std::uint16_t kSystems[3] = {kX86, kX64, kArm64};

bool RunsOn(std::uint16_t system, std::uint16_t program)
{
    return std::any_of(std::begin(kRunnable), std::end(kRunnable), [&](const Pairing& pairing) {
        return pairing.system == system && pairing.program == program;
    });
}

std::optional<std::uint16_t> MachineOf(const LittleEndianBytes& input)
{
    const std::optional<Headers> headers = HeadersOf(input);
    if (!headers)
        return std::nullopt;
    return headers->machine;
}

std::uint64_t HeadersEnd(const LittleEndianBytes& input)
{
    std::uint64_t end = kDosHeaderEnd;
    if (const std::optional<std::uint64_t> at = NewHeaderAt(input))
        end = std::max(end, *at + kNewHeaderSize);
    if (const std::optional<Headers> headers = HeadersOf(input))
        end = std::max(end, headers->SectionTable() + headers->SectionTableSize());
    return end;
}

bool ExpectStartable(const LittleEndianBytes& input, std::uint16_t system)
{
    const std::optional<Headers> headers = HeadersOf(input);
    return headers && RunsOn(system, headers->machine) && IsProgramNotLibrary(*headers) &&
           OptionalHeaderSound(input, *headers) && SectionsInside(input, *headers);
}

}  // namespace fuzz
