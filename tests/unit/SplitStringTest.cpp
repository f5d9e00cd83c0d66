#include "SplitString.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    const char* name;
    std::wstring text;
    std::wstring separator;
    std::vector<std::wstring> tokens;
};

class SplitStringCases : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitStringCases, YieldsThePiecesBetweenSeparators)
{
    const SplitCase& c = GetParam();
    std::vector<std::wstring> tokens;
    SplitString(c.text, c.separator, tokens);
    EXPECT_EQ(tokens, c.tokens);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SplitStringCases,
    ::testing::Values(
        SplitCase{"EmptyText", L"", L" ", {}},
        SplitCase{"OnlySpaces", L"    ", L" ", {}},
        SplitCase{"NoSeparator", L"C:\\Games\\Launcher.exe", L" ", {L"C:\\Games\\Launcher.exe"}},
        SplitCase{"PathThenNowindow", L"Launcher.exe nowindow", L" ", {L"Launcher.exe", L"nowindow"}},
        SplitCase{"DoubleSpaceMakesNoEmptyToken", L"Launcher.exe  nowindow", L" ", {L"Launcher.exe", L"nowindow"}},
        SplitCase{"LeadingAndTrailingSpaces", L" a b ", L" ", {L"a", L"b"}},
        SplitCase{"TabIsNoSeparator", L"Launcher.exe\tnowindow", L" ", {L"Launcher.exe\tnowindow"}},
        SplitCase{"QuotesAreOrdinary", L"\"C:\\My Games\\Launcher.exe\" nowindow", L" ",
                  {L"\"C:\\My", L"Games\\Launcher.exe\"", L"nowindow"}},
        SplitCase{"MatchesDoNotOverlap", L"aXXXb", L"XX", {L"a", L"Xb"}},
        SplitCase{"SeparatorLongerThanText", L"ab", L"abc", {L"ab"}},
        SplitCase{"SeparatorIsWholeText", L"ab", L"ab", {}},
        SplitCase{"EmptySeparatorAppendsNothing", L"a b", L"", {}}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

TEST(SplitString, AppendsBehindWhatTheListHolds)
{
    std::vector<std::wstring> tokens;
    SplitString(L"a b", L" ", tokens);
    SplitString(L"c", L" ", tokens);
    EXPECT_EQ(tokens, (std::vector<std::wstring>{L"a", L"b", L"c"}));
}

}  // namespace
