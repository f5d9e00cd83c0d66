#include "ProgramImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <ostream>
#include <string>

namespace {

// Where a linker puts the fields the check reads, for the images below: the DOS
// header, the "PE\0\0" signature at 0x40, the file header at 0x44, the optional
// header at 0x58.
const std::size_t kMachineAt = 0x44;
const std::size_t kSectionCountAt = 0x46;
const std::size_t kOptionalHeaderSizeAt = 0x54;
const std::size_t kCharacteristicsAt = 0x56;
const std::size_t kOptionalHeaderAt = 0x58;
const std::size_t kHeadersSizeAt = kOptionalHeaderAt + 60;
const std::size_t kRawSize = 16;
const std::size_t kRawPointer = 20;
const std::size_t kImageEnd = 0x500;

// Characteristics of a program linked for x86: an executable image of 32-bit words.
const unsigned kProgramCharacteristics = 0x0102;
const unsigned kDllBit = 0x2000;

// The optional header of one format: its magic, its size as linkers write it
// (with 16 data directories), where the number of directories and the
// certificate table's entry lie in it, and the machine the images below that
// have it are built for.
struct Format {
    unsigned magic;
    unsigned headerSize;
    std::size_t directoryCountAt;
    std::size_t certificateEntryAt;
    unsigned machine;
};
const Format kPe32 = {0x10B, 0xE0, 92, 96 + 4 * 8, kMachineX86};
const Format kPe32Plus = {0x20B, 0xF0, 108, 112 + 4 * 8, kMachineX64};

void Put16(std::string& bytes, std::size_t at, unsigned value)
{
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8 & 0xFF);
}

void Put32(std::string& bytes, std::size_t at, unsigned long value)
{
    Put16(bytes, at, static_cast<unsigned>(value & 0xFFFF));
    Put16(bytes, at + 2, static_cast<unsigned>(value >> 16 & 0xFFFF));
}

// A small program image laid out as a linker lays one out: three section headers
// after an optional header of `headerSize` bytes, then the raw data of two
// sections (0x200 bytes at 0x200, 0x100 bytes at 0x400); the third section is
// uninitialised data, with no bytes in the file. The file ends at 0x500.
struct ImageBuilder {
    Format format = kPe32;
    unsigned machine = kPe32.machine;
    unsigned headerSize = kPe32.headerSize;
    unsigned long directoryCount = 16;

    std::size_t SectionField(int section, std::size_t field) const
    {
        return kOptionalHeaderAt + headerSize + section * 40 + field;
    }

    std::string Build() const
    {
        std::string bytes(kImageEnd, '\x90');
        std::fill(bytes.begin(), bytes.begin() + 0x200, '\0');
        bytes.replace(0, 2, "MZ");
        Put32(bytes, 0x3C, 0x40);
        bytes.replace(0x40, 4, std::string("PE\0\0", 4));
        Put16(bytes, kMachineAt, machine);
        Put16(bytes, kSectionCountAt, 3);
        Put16(bytes, kOptionalHeaderSizeAt, headerSize);
        Put16(bytes, kCharacteristicsAt, kProgramCharacteristics);
        Put16(bytes, kOptionalHeaderAt, format.magic);
        Put32(bytes, kHeadersSizeAt, 0x200);
        if (format.directoryCountAt + 4 <= headerSize)
            Put32(bytes, kOptionalHeaderAt + format.directoryCountAt, directoryCount);
        const char* names[] = {".text", ".data", ".bss"};
        const unsigned long rawSizes[] = {0x200, 0x100, 0};
        const unsigned long rawPointers[] = {0x200, 0x400, 0};
        for (int section = 0; section < 3; ++section) {
            bytes.replace(SectionField(section, 0), std::strlen(names[section]), names[section]);
            Put32(bytes, SectionField(section, kRawSize), rawSizes[section]);
            Put32(bytes, SectionField(section, kRawPointer), rawPointers[section]);
        }
        return bytes;
    }
};

const ImageBuilder kLinked;

std::size_t SectionField(int section, std::size_t field)
{
    return kLinked.SectionField(section, field);
}

std::string Image()
{
    return kLinked.Build();
}

std::string Cut(std::size_t size)
{
    return Image().substr(0, size);
}

std::string WithField32(std::size_t at, unsigned long value)
{
    std::string bytes = Image();
    Put32(bytes, at, value);
    return bytes;
}

std::string WithField16(std::size_t at, unsigned value)
{
    std::string bytes = Image();
    Put16(bytes, at, value);
    return bytes;
}

// An image for `machine` whose optional header is of `format` at its usual size.
std::string WithHeaderFormat(unsigned machine, const Format& format)
{
    ImageBuilder builder;
    builder.machine = machine;
    builder.format = format;
    builder.headerSize = format.headerSize;
    return builder.Build();
}

// The image as a linker makes it for `machine`: PE32 headers for x86, PE32+
// headers for x64 and ARM64.
std::string ImageFor(unsigned machine)
{
    return WithHeaderFormat(machine, machine == kMachineX86 ? kPe32 : kPe32Plus);
}

std::string Pe32PlusImage()
{
    return ImageFor(kMachineX64);
}

// An image whose optional header is `headerSize` bytes long and names
// `directoryCount` data directories, for the machine of its format.
std::string WithOptionalHeader(const Format& format, unsigned headerSize, unsigned long directoryCount)
{
    ImageBuilder builder;
    builder.format = format;
    builder.machine = format.machine;
    builder.headerSize = headerSize;
    builder.directoryCount = directoryCount;
    return builder.Build();
}

// A signed image: a certificate table of 0x100 bytes after the last section, at
// 0x500, with its entry in the data directories.
const std::size_t kCertificateTableAt = kImageEnd;
const std::size_t kSignedImageEnd = kCertificateTableAt + 0x100;

std::string WithCertificateEntry(std::string bytes, unsigned long offset, unsigned long size)
{
    Put32(bytes, kOptionalHeaderAt + kPe32.certificateEntryAt, offset);
    Put32(bytes, kOptionalHeaderAt + kPe32.certificateEntryAt + 4, size);
    return bytes;
}

std::string SignedImage()
{
    return WithCertificateEntry(Image() + std::string(0x100, 'c'), kCertificateTableAt, 0x100);
}

// The file of 88 bytes that holds nothing but the headers: the DOS header, the
// signature and a file header of an x86 program with no sections and no
// optional header.
std::string HeadersWithoutSections()
{
    std::string bytes(88, '\0');
    bytes.replace(0, 2, "MZ");
    Put32(bytes, 0x3C, 0x40);
    bytes.replace(0x40, 4, std::string("PE\0\0", 4));
    Put16(bytes, kMachineAt, kMachineX86);
    Put16(bytes, kCharacteristicsAt, kProgramCharacteristics);
    return bytes;
}

// A file in memory.
class BytesInMemory : public FileBytesSource {
public:
    explicit BytesInMemory(std::string bytes) : m_bytes(std::move(bytes)) {}

    std::uint64_t Size() const override { return m_bytes.size(); }

    bool Read(std::uint64_t offset, unsigned char* buffer, std::size_t count) const override
    {
        if (offset > m_bytes.size() || count > m_bytes.size() - offset)
            return false;
        std::memcpy(buffer, m_bytes.data() + offset, count);
        return true;
    }

private:
    std::string m_bytes;
};

struct ImageCase {
    const char* name;
    std::string bytes;
    bool startable;
    std::uint16_t system = kMachineX86;
};

// A failing case is named, not dumped as bytes.
void PrintTo(const ImageCase& imageCase, std::ostream* out)
{
    *out << imageCase.name;
}

class ImageCases : public ::testing::TestWithParam<ImageCase> {};

TEST_P(ImageCases, StartableOnlyWhenEveryRuleHolds)
{
    EXPECT_EQ(IsStartableProgramImage(BytesInMemory(GetParam().bytes), GetParam().system), GetParam().startable);
}

std::string CaseName(const ::testing::TestParamInfo<ImageCase>& info)
{
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    Whole, ImageCases,
    ::testing::Values(ImageCase{"AsLinked", Image(), true},
                      ImageCase{"WithBytesAfterTheLastSection", Image() + std::string(4096, 'x'), true},
                      ImageCase{"UninitialisedDataPointingAnywhere", WithField32(SectionField(2, kRawPointer), 0x99999),
                                true},
                      ImageCase{"LargeAddressAware", WithField16(kCharacteristicsAt, kProgramCharacteristics | 0x20),
                                true},
                      ImageCase{"HeadersSizeOfTheWholeFile", WithField32(kHeadersSizeAt, kImageEnd), true},
                      ImageCase{"Pe32PlusOnX64", Pe32PlusImage(), true, kMachineX64},
                      ImageCase{"Pe32PlusOnArm64", Pe32PlusImage(), true, kMachineArm64},
                      ImageCase{"OptionalHeaderOfItsFixedFieldsOnly", WithOptionalHeader(kPe32, 96, 0), true},
                      ImageCase{"Pe32PlusOptionalHeaderOfItsFixedFieldsOnly", WithOptionalHeader(kPe32Plus, 112, 0),
                                true, kMachineX64},
                      ImageCase{"SignedWithTheTableEndingAtTheEnd", SignedImage(), true},
                      ImageCase{"SignedWithBytesAfterTheTable", SignedImage() + "appended", true},
                      // A table of no bytes is no table, wherever its entry points.
                      ImageCase{"CertificateEntryOfNoBytesPointingPastTheEnd",
                                WithCertificateEntry(Image(), 0x99999, 0), true},
                      // The entry lies beyond the four directories the header names,
                      // or beyond the header's end: there is no certificate table.
                      ImageCase{"CertificateEntryBeyondTheDirectoriesNamed",
                                WithCertificateEntry(WithOptionalHeader(kPe32, 0xE0, 4), 0x99999, 0x100), true},
                      ImageCase{"CertificateEntryBeyondTheOptionalHeader", WithOptionalHeader(kPe32, 96 + 4 * 8, 16),
                                true}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    CutAtEachField, ImageCases,
    ::testing::Values(ImageCase{"Empty", Cut(0), false},
                      ImageCase{"InsideMZ", Cut(1), false},
                      ImageCase{"AfterMZ", Cut(2), false},
                      ImageCase{"BeforeTheNewHeaderOffset", Cut(0x3C), false},
                      ImageCase{"InsideTheNewHeaderOffset", Cut(0x3E), false},
                      ImageCase{"BeforeTheSignature", Cut(0x40), false},
                      ImageCase{"InsideTheSignature", Cut(0x42), false},
                      ImageCase{"BeforeTheFileHeader", Cut(0x44), false},
                      ImageCase{"InsideTheSectionCount", Cut(0x47), false},
                      ImageCase{"InsideTheOptionalHeaderSize", Cut(0x55), false},
                      ImageCase{"BeforeTheOptionalHeader", Cut(kOptionalHeaderAt), false},
                      ImageCase{"InsideTheOptionalHeader", Cut(0x100), false},
                      ImageCase{"BeforeTheSectionTable", Cut(SectionField(0, 0)), false},
                      ImageCase{"InsideTheLastSectionHeader", Cut(SectionField(2, 39)), false},
                      ImageCase{"AfterTheSectionTable", Cut(SectionField(3, 0)), false},
                      ImageCase{"InsideTheFirstSection", Cut(0x3FF), false},
                      ImageCase{"AtTheEndOfTheFirstSection", Cut(0x400), false},
                      ImageCase{"OneByteShortOfTheLastSection", Cut(kImageEnd - 1), false},
                      ImageCase{"InHalf", Cut(kImageEnd / 2), false},
                      ImageCase{"BeforeTheCertificateTable", SignedImage().substr(0, kCertificateTableAt), false},
                      ImageCase{"InsideTheCertificateTable", SignedImage().substr(0, kCertificateTableAt + 0x80), false},
                      ImageCase{"OneByteShortOfTheCertificateTable", SignedImage().substr(0, kSignedImageEnd - 1),
                                false}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    PastTheEnd, ImageCases,
    ::testing::Values(ImageCase{"LastSectionOneByteLonger", WithField32(SectionField(1, kRawSize), 0x101), false},
                      ImageCase{"FirstSectionStartsPastTheEnd", WithField32(SectionField(0, kRawPointer), 0x600),
                                false},
                      // 0xFFFFFF00 + 0x200 wraps to 0x100 in 32 bits.
                      ImageCase{"RawDataEndBeyond32Bits", WithField32(SectionField(0, kRawPointer), 0xFFFFFF00),
                                false},
                      ImageCase{"MoreSectionsThanTheTableHolds", WithField16(kSectionCountAt, 40), false},
                      ImageCase{"OptionalHeaderPastTheEnd", WithField16(kOptionalHeaderSizeAt, 0xFFFF), false},
                      ImageCase{"HeadersSizeOneBytePastTheEnd", WithField32(kHeadersSizeAt, kImageEnd + 1), false},
                      ImageCase{"CertificateTableStartingPastTheEnd",
                                WithCertificateEntry(Image(), kImageEnd + 8, 0x10), false},
                      // 0xFFFFFF00 + 0x200 wraps to 0x100 in 32 bits.
                      ImageCase{"CertificateTableEndBeyond32Bits", WithCertificateEntry(Image(), 0xFFFFFF00, 0x200),
                                false},
                      ImageCase{"Pe32PlusCertificateTablePastTheEnd", [] {
                                    std::string bytes = Pe32PlusImage();
                                    Put32(bytes, kOptionalHeaderAt + kPe32Plus.certificateEntryAt, 0x400);
                                    Put32(bytes, kOptionalHeaderAt + kPe32Plus.certificateEntryAt + 4, 0x101);
                                    return bytes;
                                }(),
                                false, kMachineX64}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    NoProgramForThisSystem, ImageCases,
    ::testing::Values(ImageCase{"Arm64OnX86", ImageFor(kMachineArm64), false},
                      ImageCase{"Arm64OnX64", ImageFor(kMachineArm64), false, kMachineX64},
                      ImageCase{"Arm64OnArm64", ImageFor(kMachineArm64), true, kMachineArm64},
                      ImageCase{"X64OnX86", Pe32PlusImage(), false},
                      ImageCase{"X86OnX64", Image(), true, kMachineX64},
                      ImageCase{"X86OnArm64", Image(), true, kMachineArm64},
                      ImageCase{"Arm32OnArm64", WithField16(kMachineAt, 0x01C4), false, kMachineArm64},
                      ImageCase{"UnknownMachine", WithField16(kMachineAt, 0), false}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    NoProgramAtAll, ImageCases,
    ::testing::Values(ImageCase{"Text", "[default]\r\nresourceURL=\"http://127.0.0.1/launch.php\"\r\n", false},
                      ImageCase{"ZerosOfAProgramsSize", std::string(kImageEnd, '\0'), false},
                      ImageCase{"ZMInsteadOfMZ", [] {
                                    std::string bytes = Image();
                                    bytes.replace(0, 2, "ZM");
                                    return bytes;
                                }(),
                                false},
                      ImageCase{"NewHeaderOffsetPastTheEnd", WithField32(0x3C, 0x1000), false},
                      // 0xFFFFFFF0 + 24 wraps to 8 in 32 bits.
                      ImageCase{"NewHeaderOffsetBeyond32Bits", WithField32(0x3C, 0xFFFFFFF0), false},
                      ImageCase{"SignatureOfAnOlderFormat", WithField32(0x40, 0x454E), false},
                      ImageCase{"SignatureWithANonZeroByte", WithField32(0x40, 0x01004550), false},
                      ImageCase{"HeadersWithoutSections", HeadersWithoutSections(), false},
                      ImageCase{"NoSectionsAtAll", WithField16(kSectionCountAt, 0), false},
                      ImageCase{"Library", WithField16(kCharacteristicsAt, kProgramCharacteristics | kDllBit), false},
                      // An object file or an image the linker could not finish.
                      ImageCase{"NotMarkedExecutable", WithField16(kCharacteristicsAt, 0x0100), false},
                      ImageCase{"OptionalHeaderOfAnotherFormat", WithField16(kOptionalHeaderAt, 0x107), false},
                      ImageCase{"NoOptionalHeader", WithOptionalHeader(kPe32, 0, 16), false},
                      ImageCase{"OptionalHeaderOfTheMagicOnly", WithOptionalHeader(kPe32, 2, 16), false},
                      ImageCase{"OptionalHeaderShortOfItsFixedFields", WithOptionalHeader(kPe32, 95, 0), false},
                      // A PE32+ header needs 16 bytes more than a PE32 one.
                      ImageCase{"Pe32PlusOptionalHeaderOfPe32Size", WithOptionalHeader(kPe32Plus, 96, 0), false,
                                kMachineX64}),
    CaseName);

// The loader takes the width of a program's words from its machine and refuses
// an optional header of the other format.
INSTANTIATE_TEST_SUITE_P(
    HeaderFormatOfAnotherMachine, ImageCases,
    ::testing::Values(ImageCase{"X86WithPe32PlusOnX86", WithHeaderFormat(kMachineX86, kPe32Plus), false},
                      ImageCase{"X86WithPe32PlusOnX64", WithHeaderFormat(kMachineX86, kPe32Plus), false, kMachineX64},
                      ImageCase{"X64WithPe32OnX64", WithHeaderFormat(kMachineX64, kPe32), false, kMachineX64},
                      ImageCase{"Arm64WithPe32OnArm64", WithHeaderFormat(kMachineArm64, kPe32), false, kMachineArm64}),
    CaseName);

TEST(SystemRunsMachine, X86EverywhereX64OnX64AndArm64Arm64OnArm64Only)
{
    struct Row {
        std::uint16_t program;
        bool onX86, onX64, onArm64;
    };
    const Row rows[] = {
        {kMachineX86, true, true, true},
        {kMachineX64, false, true, true},
        {kMachineArm64, false, false, true},
        {0x01C4, false, false, false},  // 32-bit ARM
        {0x0200, false, false, false},  // Itanium
        {0x0000, false, false, false},  // no machine named
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.program);
        EXPECT_EQ(SystemRunsMachine(kMachineX86, row.program), row.onX86);
        EXPECT_EQ(SystemRunsMachine(kMachineX64, row.program), row.onX64);
        EXPECT_EQ(SystemRunsMachine(kMachineArm64, row.program), row.onArm64);
    }
}

// A file far larger than its first bytes, which are all it can give; it keeps
// the furthest byte any read reached.
class HugeFile : public FileBytesSource {
public:
    explicit HugeFile(std::string start) : m_start(std::move(start)) {}

    std::uint64_t Size() const override { return std::uint64_t{6} << 30; }

    bool Read(std::uint64_t offset, unsigned char* buffer, std::size_t count) const override
    {
        m_furthest = std::max(m_furthest, offset + count);
        if (offset + count > m_start.size())
            return false;
        std::memcpy(buffer, m_start.data() + offset, count);
        return true;
    }

    mutable std::uint64_t m_furthest = 0;

private:
    std::string m_start;
};

TEST(IsStartableProgramImage, ReadsOnlyTheHeadersAndTheSectionTable)
{
    const HugeFile file(WithCertificateEntry(WithField32(SectionField(1, kRawSize), 0x7FFFFFFF), 0x7FFFFF00, 0x100));
    EXPECT_TRUE(IsStartableProgramImage(file, kMachineX86));
    EXPECT_EQ(file.m_furthest, SectionField(3, 0));
}

TEST(IsStartableProgramImage, FailedReadIsNoProgram)
{
    // A file whose size says more than it can give: the bytes past 0x100 cannot be read.
    EXPECT_FALSE(IsStartableProgramImage(HugeFile(Cut(0x100)), kMachineX86));
}

}  // namespace
