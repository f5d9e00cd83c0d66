#include "ProgramImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// A small program image laid out as a linker lays one out: the DOS header, the
// "PE\0\0" signature at 0x40, the file header at 0x44, an optional header of 0xE0
// bytes at 0x58, three section headers at 0x138, then the raw data of two
// sections (0x200 bytes at 0x200, 0x100 bytes at 0x400); the third section is
// uninitialised data, with no bytes in the file. The file ends at 0x500.
const std::size_t kSectionCountAt = 0x46;
const std::size_t kOptionalHeaderSizeAt = 0x54;
const std::size_t kSectionTableAt = 0x138;
const std::size_t kImageEnd = 0x500;

std::size_t SectionField(int section, std::size_t field)
{
    return kSectionTableAt + section * 40 + field;
}
const std::size_t kRawSize = 16;
const std::size_t kRawPointer = 20;

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

std::string Image()
{
    std::string bytes(kImageEnd, '\x90');
    std::fill(bytes.begin(), bytes.begin() + 0x200, '\0');
    bytes.replace(0, 2, "MZ");
    Put32(bytes, 0x3C, 0x40);
    bytes.replace(0x40, 4, std::string("PE\0\0", 4));
    Put16(bytes, 0x44, 0x14C);
    Put16(bytes, kSectionCountAt, 3);
    Put16(bytes, kOptionalHeaderSizeAt, 0xE0);
    Put16(bytes, 0x58, 0x10B);
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
    bool complete;
};

class ImageCases : public ::testing::TestWithParam<ImageCase> {};

TEST_P(ImageCases, CompleteOnlyWhenEveryHeaderAndSectionIsInside)
{
    EXPECT_EQ(IsCompleteProgramImage(BytesInMemory(GetParam().bytes)), GetParam().complete);
}

INSTANTIATE_TEST_SUITE_P(
    Whole, ImageCases,
    ::testing::Values(ImageCase{"AsLinked", Image(), true},
                      ImageCase{"WithBytesAfterTheLastSection", Image() + std::string(4096, 'x'), true},
                      ImageCase{"NoSectionsAtAll", WithField16(kSectionCountAt, 0).substr(0, kSectionTableAt), true},
                      ImageCase{"UninitialisedDataPointingAnywhere", WithField32(SectionField(2, kRawPointer), 0x99999),
                                true}),
    [](const ::testing::TestParamInfo<ImageCase>& info) { return std::string(info.param.name); });

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
                      ImageCase{"BeforeTheOptionalHeader", Cut(0x58), false},
                      ImageCase{"InsideTheOptionalHeader", Cut(0x100), false},
                      ImageCase{"BeforeTheSectionTable", Cut(kSectionTableAt), false},
                      ImageCase{"InsideTheLastSectionHeader", Cut(SectionField(2, 39)), false},
                      ImageCase{"AfterTheSectionTable", Cut(SectionField(3, 0)), false},
                      ImageCase{"InsideTheFirstSection", Cut(0x3FF), false},
                      ImageCase{"AtTheEndOfTheFirstSection", Cut(0x400), false},
                      ImageCase{"OneByteShortOfTheLastSection", Cut(kImageEnd - 1), false},
                      ImageCase{"InHalf", Cut(kImageEnd / 2), false}),
    [](const ::testing::TestParamInfo<ImageCase>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    SectionsPastTheEnd, ImageCases,
    ::testing::Values(ImageCase{"LastSectionOneByteLonger", WithField32(SectionField(1, kRawSize), 0x101), false},
                      ImageCase{"FirstSectionStartsPastTheEnd", WithField32(SectionField(0, kRawPointer), 0x600),
                                false},
                      // 0xFFFFFF00 + 0x200 wraps to 0x100 in 32 bits.
                      ImageCase{"RawDataEndBeyond32Bits", WithField32(SectionField(0, kRawPointer), 0xFFFFFF00),
                                false},
                      ImageCase{"MoreSectionsThanTheTableHolds", WithField16(kSectionCountAt, 40), false},
                      ImageCase{"OptionalHeaderPastTheEnd", WithField16(kOptionalHeaderSizeAt, 0xFFFF), false},
                      ImageCase{"NoSectionsAndTheOptionalHeaderPastTheEnd", [] {
                                    std::string bytes = WithField16(kOptionalHeaderSizeAt, 0xFFFF);
                                    Put16(bytes, kSectionCountAt, 0);
                                    return bytes;
                                }(),
                                false}),
    [](const ::testing::TestParamInfo<ImageCase>& info) { return std::string(info.param.name); });

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
                      ImageCase{"SignatureWithANonZeroByte", WithField32(0x40, 0x01004550), false}),
    [](const ::testing::TestParamInfo<ImageCase>& info) { return std::string(info.param.name); });

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

TEST(IsCompleteProgramImage, ReadsOnlyTheHeadersAndTheSectionTable)
{
    const HugeFile file(WithField32(SectionField(1, kRawSize), 0x7FFFFFFF));
    EXPECT_TRUE(IsCompleteProgramImage(file));
    EXPECT_EQ(file.m_furthest, SectionField(3, 0));
}

TEST(IsCompleteProgramImage, FailedReadIsNoProgram)
{
    // A file whose size says more than it can give: the bytes past 0x100 cannot be read.
    EXPECT_FALSE(IsCompleteProgramImage(HugeFile(Cut(0x100))));
}

}  // namespace
