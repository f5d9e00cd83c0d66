#include "StartDirectory.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct StartCase {
    const char* name;
    std::wstring modulePath;
    bool enterSucceeds;
    std::vector<std::wstring> entered;  // the directories handed to `enter`, in order
    StartDirectoryStep step;
    std::wstring folder;
};

class StartCases : public ::testing::TestWithParam<StartCase> {};

TEST_P(StartCases, GoesOnOnlyInTheLaunchersOwnDirectory)
{
    const StartCase& c = GetParam();
    std::vector<std::wstring> entered;
    const StartDirectory start = EnterModuleDirectory(c.modulePath, [&](const std::wstring& directory) {
        entered.push_back(directory);
        return c.enterSucceeds;
    });
    EXPECT_EQ(entered, c.entered);
    EXPECT_EQ(start.step, c.step);
    EXPECT_EQ(start.folder, c.folder);
}

const std::wstring kInstall = L"Z:\\games\\\u0406\u03AD";

INSTANTIATE_TEST_SUITE_P(
    Table, StartCases,
    ::testing::Values(
        StartCase{"Entered", kInstall + L"\\Launcher.exe", true, {kInstall}, StartDirectoryStep::GoOn, kInstall},
        StartCase{"NotEntered", kInstall + L"\\Launcher.exe", false, {kInstall}, StartDirectoryStep::TellAndStop,
                  kInstall},
        StartCase{"DriveRootEntered", L"D:\\Launcher.exe", true, {L"D:\\"}, StartDirectoryStep::GoOn, L"D:\\"},
        StartCase{"DriveRootNotEntered", L"D:\\Launcher.exe", false, {L"D:\\"}, StartDirectoryStep::TellAndStop,
                  L"D:\\"},
        // Without a directory there is nothing to enter, and going on would mean
        // going on in the caller's directory.
        StartCase{"NoDirectoryInThePath", L"Launcher.exe", true, {}, StartDirectoryStep::TellAndStop,
                  L"Launcher.exe"},
        StartCase{"NoModulePath", L"", true, {}, StartDirectoryStep::TellAndStop, L""}),
    [](const ::testing::TestParamInfo<StartCase>& info) { return std::string(info.param.name); });

TEST(FolderNotEnteredText, NamesTheFolderAsItIs)
{
    EXPECT_EQ(FolderNotEnteredText(kInstall), L"Cannot open the launcher's folder:\n" + kInstall);
}

}  // namespace
