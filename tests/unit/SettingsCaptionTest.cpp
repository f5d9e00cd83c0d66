// The caption's length as the launcher takes it: UTF-16 units after converting
// the settings bytes from the ANSI code page, cut at 254 units between whole
// characters.
#include "CaptionLength.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "InstallCheck.h"
#include "TempDir.h"
#include "WindowCaption.h"

namespace {

std::string Repeat(const std::string& piece, std::size_t times)
{
    std::string text;
    for (std::size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

constexpr std::size_t kLongest = kLongestCaption;
const std::string kNi = "\xC4\xE3";                // one character of code page 936, one unit
const std::string kSupplementary = "\x95\x32\x82\x36";  // GB18030 for U+10000, a surrogate pair

struct CaptionLengthCase {
    const char* name;
    unsigned codePage;
    std::string caption;
    std::size_t units;
    std::size_t keptUnits;
    std::size_t keptBytes;
};

void PrintTo(const CaptionLengthCase& c, std::ostream* os) { *os << c.name; }

class CaptionLengthCases : public ::testing::TestWithParam<CaptionLengthCase> {};

TEST_P(CaptionLengthCases, CountsUnitsAndKeepsWholeCharacters)
{
    const CaptionLengthCase& c = GetParam();
    const CodePageConverter converter(c.codePage);
    ASSERT_TRUE(converter.Known());
    const CaptionLength length = MeasureCaption(c.caption, converter);
    EXPECT_EQ(length.units, c.units);
    EXPECT_EQ(length.keptUnits, c.keptUnits);
    EXPECT_EQ(length.keptBytes, c.keptBytes);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CaptionLengthCases,
    ::testing::Values(
        CaptionLengthCase{"AsciiOfTheLongest", 936, std::string(kLongest, 'a'), kLongest, kLongest, kLongest},
        CaptionLengthCase{"AsciiOneUnitTooLong", 936, std::string(kLongest + 1, 'a'), kLongest + 1, kLongest, kLongest},
        // 400 bytes that the launcher shows whole: 200 characters.
        CaptionLengthCase{"DoubleByteCharactersCountOnce", 936, Repeat(kNi, 200), 200, 200, 400},
        CaptionLengthCase{"CutBetweenDoubleByteCharacters", 936, std::string("a").append(Repeat(kNi, 300)), 301,
                          kLongest, 1 + (kLongest - 1) * 2},
        // A lead byte without its trail byte: one default character.
        CaptionLengthCase{"LeadByteAtTheEnd", 936, "ab\xC4", 3, 3, 3},
        CaptionLengthCase{"SingleByteCodePage", 1252, std::string(300, '\xC4'), 300, kLongest, kLongest},
        // The cut would split the surrogate pair of the last unit the title
        // keeps: it keeps one unit fewer.
        CaptionLengthCase{"SurrogatePairAtTheCut", 54936, std::string(kLongest - 1, 'a') + kSupplementary, kLongest + 1,
                          kLongest - 1, kLongest - 1},
        CaptionLengthCase{"SurrogatePairBeforeTheCut", 54936, std::string(kLongest - 2, 'a') + kSupplementary + "b",
                          kLongest + 1, kLongest, kLongest + 2},
        CaptionLengthCase{"Empty", 936, "", 0, 0, 0}),
    [](const ::testing::TestParamInfo<CaptionLengthCase>& info) { return std::string(info.param.name); });

// The check warns only about a caption the launcher cuts, says in which code
// page it counted, and shows the title as cut, never half a character.
TEST(CaptionCheck, WarnsInUnitsOfTheNamedCodePage)
{
    TempDir dir;
    dir.Write("window.ini", "[SYSTEM]\r\nSCREENWIDTH=1024\r\nSCREENHEIGHT=640\r\n");
    for (const unsigned codePage : {936u, 1252u}) {
        dir.Write("ServerInfo.ini", "[default]\r\nresourceURL=\"http://a/\"\r\nClientWndCaption=" + Repeat(kNi, 200) + "\r\n");
        InstallCheck check;
        std::string error;
        ASSERT_TRUE(CheckInstall(dir.Path(""), kDefaultScreen, codePage, check, error)) << error;
        EXPECT_EQ(check.settings.codePage, codePage);
        if (codePage == 936) {
            EXPECT_EQ(check.settings.captionUnits, 200u);
            EXPECT_TRUE(check.warnings.empty());
            EXPECT_EQ(check.settings.caption, Repeat(kNi, 200));
        } else {
            EXPECT_EQ(check.settings.captionUnits, 400u);
            ASSERT_EQ(check.warnings.size(), 1u);
            const std::string longest = std::to_string(kLongest);
            EXPECT_EQ(check.warnings[0].message, "ClientWndCaption is 400 UTF-16 units in code page 1252: the title keeps " +
                                                     longest + " at most, so it is cut");
            EXPECT_EQ(check.settings.caption, Repeat(kNi, kLongest / 2));
            EXPECT_EQ(check.settings.captionSource,
                      "ClientWndCaption in ServerInfo.ini, line 3, cut to " + longest + " UTF-16 units");
        }
    }
}

}  // namespace
