#include "PlayerCommandLine.h"

#include <gtest/gtest.h>

#include "LaunchAddress.h"

namespace {

TEST(ComposePlayerCommandLine, PutsTheUrlBareBetweenTheFixedWords)
{
    EXPECT_EQ(ComposePlayerCommandLine(L"http://127.0.0.1//launch.php?id=7"),
              L"\"Velmora.exe\"  Launch Korrin Korrin.dll kt999 1 localversion http://127.0.0.1//launch.php?id=7 facebook");
}

TEST(ComposePlayerCommandLine, EmptyUrlLeavesTwoSpacesBeforeTheLastWord)
{
    EXPECT_EQ(ComposePlayerCommandLine(L""), L"\"Velmora.exe\"  Launch Korrin Korrin.dll kt999 1 localversion  facebook");
}

TEST(ComposePlayerCommandLine, UrlWithSpacesAndQuotesIsNotQuotedOrEscaped)
{
    EXPECT_EQ(ComposePlayerCommandLine(L"a b \"c\""),
              L"\"Velmora.exe\"  Launch Korrin Korrin.dll kt999 1 localversion a b \"c\" facebook");
}

// The longest URL the launch URL buffer holds keeps the line inside the
// command buffer with its terminator.
TEST(ComposePlayerCommandLine, LongestUrlFitsTheCommandBuffer)
{
    const std::wstring url(kLaunchAddressSize - 1, L'u');
    const std::wstring line = ComposePlayerCommandLine(url);
    EXPECT_LT(line.size(), kPlayerCommandLineSize);
    EXPECT_NE(line.find(L" " + url + L" facebook"), std::wstring::npos);
}

}  // namespace
