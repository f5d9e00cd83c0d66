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

struct ModeCase {
    const char* name;
    std::wstring commandLine;
    LaunchMode mode;
};

class ModeChoiceCases : public ::testing::TestWithParam<ModeCase> {};

TEST_P(ModeChoiceCases, FollowsTheSecondToken)
{
    std::vector<std::wstring> tokens;
    SplitString(GetParam().commandLine, L" ", tokens);
    EXPECT_EQ(ChooseMode(tokens), GetParam().mode);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ModeChoiceCases,
    ::testing::Values(ModeCase{"EmptyLine", L"", LaunchMode::Window},
                      ModeCase{"PathOnly", L"Launcher.exe", LaunchMode::Window},
                      ModeCase{"PathWithTrailingSpace", L"Launcher.exe ", LaunchMode::Window},
                      ModeCase{"Nowindow", L"Launcher.exe nowindow", LaunchMode::Game},
                      ModeCase{"NowindowAfterTwoSpaces", L"Launcher.exe  nowindow", LaunchMode::Game},
                      ModeCase{"NowindowThenMore", L"Launcher.exe nowindow extra", LaunchMode::Game},
                      ModeCase{"Capitals", L"Launcher.exe NOWINDOW", LaunchMode::QuietExit},
                      ModeCase{"CharacterAdded", L"Launcher.exe nowindowx", LaunchMode::QuietExit},
                      ModeCase{"CutShort", L"Launcher.exe nowindo", LaunchMode::QuietExit},
                      ModeCase{"TabInsteadOfSpace", L"Launcher.exe\tnowindow", LaunchMode::Window},
                      ModeCase{"QuotedPathWithSpace", L"\"C:\\My Games\\Launcher.exe\"", LaunchMode::QuietExit},
                      ModeCase{"QuotedPathWithSpaceAndNowindow", L"\"C:\\My Games\\Launcher.exe\" nowindow",
                               LaunchMode::QuietExit}),
    [](const ::testing::TestParamInfo<ModeCase>& info) { return std::string(info.param.name); });

TEST(IsNoWindowArgument, IsExactAndCaseSensitive)
{
    EXPECT_TRUE(IsNoWindowArgument(L"nowindow"));
    for (const wchar_t* token : {L"Nowindow", L"nowindow ", L" nowindow", L"nowindo", L"nowindowx", L""})
        EXPECT_FALSE(IsNoWindowArgument(token)) << std::wstring(token).size();
}

}  // namespace
