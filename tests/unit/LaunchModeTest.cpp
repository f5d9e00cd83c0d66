#include "LaunchMode.h"

#include <gtest/gtest.h>

#include "SplitString.h"

namespace {

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
