// Choosing a section, finding a key in it, and reading values as text or numbers.
#include <climits>

#include <gtest/gtest.h>

#include "IniTestSupport.h"

namespace {

struct LookupCase {
    const char* name;
    const char* text;  // null: nothing loaded
    const char* section;
    const char* key;
    bool ignoreCase;
    const char* expectedString;  // null: GetString misses
    int expectedInt;
};

class LookupCases : public ::testing::TestWithParam<LookupCase> {};

TEST_P(LookupCases, GetStringAndGetIntAgree)
{
    const LookupCase& c = GetParam();
    CIniFile ini;
    if (c.text != nullptr) {
        ASSERT_TRUE(ini.LoadFromString(c.text));
    }
    const char* value = ini.GetString(c.section, c.key, c.ignoreCase);
    if (c.expectedString == nullptr)
        EXPECT_EQ(value, nullptr) << value;
    else
        EXPECT_STREQ(value, c.expectedString);
    EXPECT_EQ(ini.GetInt(c.section, c.key, c.ignoreCase), c.expectedInt);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LookupCases,
    ::testing::Values(
        LookupCase{"NothingLoaded", nullptr, "default", "resourceURL", true, nullptr, 0},
        LookupCase{"Found", "[SYSTEM]\r\nWINDOW=1\r\n", "SYSTEM", "WINDOW", true, "1", 1},
        LookupCase{"CaseIgnored", "[SYSTEM]\r\nWINDOW=1\r\n", "system", "window", true, "1", 1},
        LookupCase{"CaseCountsForSection", "[SYSTEM]\r\nWINDOW=1\r\n", "system", "WINDOW", false, nullptr, 0},
        LookupCase{"CaseCountsForKey", "[SYSTEM]\r\nWINDOW=1\r\n", "SYSTEM", "window", false, nullptr, 0},
        LookupCase{"EmptyValueIsNotMissing", "[SYSTEM]\r\nWINDOW=\r\n", "SYSTEM", "WINDOW", true, "", 0},
        LookupCase{"NoNumber", "[SYSTEM]\r\nWINDOW=abc\r\n", "SYSTEM", "WINDOW", true, "abc", 0},
        LookupCase{"Negative", "[SYSTEM]\r\nSCREENWIDTH=-20\r\n", "SYSTEM", "SCREENWIDTH", true, "-20", -20},
        LookupCase{"TrailingSpaces", "[SYSTEM]\r\nSCREENWIDTH=1024   \r\n", "SYSTEM", "SCREENWIDTH", true, "1024   ",
                   1024},
        LookupCase{"ElevenNines", "[SYSTEM]\r\nSCREENWIDTH=99999999999\r\n", "SYSTEM", "SCREENWIDTH", true,
                   "99999999999", INT_MAX},
        LookupCase{"SpaceBeforeEqualsHidesKey", "[SYSTEM]\r\nSCREENWIDTH = 1024\r\n", "SYSTEM", "SCREENWIDTH", true,
                   nullptr, 0},
        LookupCase{"FirstDuplicateKeyWins", "[SYSTEM]\r\nWINDOW=1\r\nWINDOW=2\r\n", "SYSTEM", "WINDOW", true, "1", 1},
        LookupCase{"RepeatedHeaderIsSearchedToo", "[SYSTEM]\r\nA=1\r\n[default]\r\nB=2\r\n[SYSTEM]\r\nWINDOW=3\r\n",
                   "SYSTEM", "WINDOW", true, "3", 3},
        LookupCase{"FirstOfHeadersDifferingInCaseIsChosen", "[System]\r\n[SYSTEM]\r\nWINDOW=1\r\n", "SYSTEM", "WINDOW",
                   true, nullptr, 0},
        LookupCase{"OtherCaseFoundWhenNotIgnored", "[System]\r\n[SYSTEM]\r\nWINDOW=1\r\n", "SYSTEM", "WINDOW", false,
                   "1", 1},
        LookupCase{"HighBytesNeedExactMatch", "[\xC3\x89T\xC3\x89]\r\nK=1\r\n", "\xC3\xA9t\xC3\xA9", "K", true, nullptr,
                   0},
        LookupCase{"EmptySectionOfHeaderlessEntriesIsNoSection", "K=1\r\n", "", "K", true, nullptr, 0},
        LookupCase{"EmptyHeaderNamesEmptySection", "[]\r\nK=1\r\n", "", "K", true, "1", 1}),
    [](const ::testing::TestParamInfo<LookupCase>& info) { return std::string(info.param.name); });

// The leading number of a value, as strtol reads it in base 10, kept in the
// 32-bit range.
struct NumberCase {
    const char* name;
    const char* value;
    int expected;
};

class NumberCases : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberCases, GetIntReadsTheLeadingNumber)
{
    CIniFile ini;
    ASSERT_TRUE(ini.LoadFromString("[S]\r\nK=0\r\n"));
    ASSERT_TRUE(ini.SetValue("S", "K", GetParam().value));
    EXPECT_EQ(ini.GetInt("S", "K", true), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, NumberCases,
                         ::testing::Values(NumberCase{"Plain", "640", 640},
                                           NumberCase{"PlusSign", "+5", 5},
                                           NumberCase{"LeadingWhiteSpace", " \t\n\v\f\r12", 12},
                                           NumberCase{"TextAfterNumber", "12px", 12},
                                           NumberCase{"Hexadecimal", "0x10", 0},
                                           NumberCase{"TwoSigns", "+-5", 0},
                                           NumberCase{"SignThenSpace", "- 5", 0},
                                           NumberCase{"LeadingZeros", "-0007", -7},
                                           NumberCase{"Largest", "2147483647", INT_MAX},
                                           NumberCase{"OneAboveLargest", "2147483648", INT_MAX},
                                           NumberCase{"Smallest", "-2147483648", INT_MIN},
                                           NumberCase{"OneBelowSmallest", "-2147483649", INT_MIN},
                                           NumberCase{"FarBelow", "-99999999999999999999999", INT_MIN},
                                           NumberCase{"NoBreakSpaceIsNoSpace", "\xA0" "12", 0},
                                           NumberCase{"HighByteDigitLookalike", "1\xB2", 1}),
                         [](const ::testing::TestParamInfo<NumberCase>& info) { return std::string(info.param.name); });

TEST(GetValue, WorksInTheLastHeaderAfterLoading)
{
    CIniFile ini;
    ASSERT_TRUE(ini.LoadFromString("[SYSTEM]\r\nWINDOW=1\r\n[default]\r\n"));
    EXPECT_EQ(ini.GetValue("WINDOW", true), nullptr);
    ASSERT_TRUE(ini.SelectSection("SYSTEM", true));
    EXPECT_STREQ(ini.GetValue("WINDOW", true), "1");
}

TEST(GetValue, MatchesTheSectionCaseSensitivelyWhateverIgnoreCaseSays)
{
    CIniFile ini;
    ASSERT_TRUE(ini.LoadFromString("[SYSTEM]\r\nWINDOW=1\r\n"));
    ASSERT_TRUE(ini.AddValue("system", "MODE", "2"));
    EXPECT_EQ(ini.GetString("system", "MODE", true), nullptr);
    ASSERT_TRUE(ini.SelectSection("SYSTEM", false));
    EXPECT_EQ(ini.GetValue("MODE", true), nullptr);
}

TEST(SelectSection, StoresTheNameAsWritten)
{
    CIniFile ini;
    ASSERT_TRUE(ini.LoadFromString("[System]\r\n[default]\r\n"));
    EXPECT_TRUE(ini.SelectSection("SYSTEM", true));
    EXPECT_EQ(ini.CurrentSection(), "System");
    EXPECT_FALSE(ini.SelectSection("missing", true));
    EXPECT_EQ(ini.CurrentSection(), "System");
}

TEST(GetString, MovesTheCurrentSectionEvenWhenTheKeyMisses)
{
    CIniFile ini;
    ASSERT_TRUE(ini.LoadFromString("[SYSTEM]\r\nWINDOW=1\r\n[default]\r\n"));
    EXPECT_EQ(ini.GetString("SYSTEM", "absent", true), nullptr);
    EXPECT_EQ(ini.CurrentSection(), "SYSTEM");
}

TEST(GetString, PointsAtTheEntrysValueUntilItChanges)
{
    CIniFile ini;
    ASSERT_TRUE(ini.LoadFromString("[S]\r\nK=first\r\n"));
    const char* value = ini.GetString("S", "K", true);
    EXPECT_EQ(value, ini.Entries()[0]->value.c_str());
    ASSERT_TRUE(ini.SetValue("S", "K", "second"));
    EXPECT_STREQ(ini.GetString("S", "K", true), "second");
}

}  // namespace
