#include "ModulePath.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct DirectoryCase {
    const char* name;
    std::string modulePath;
    std::string directory;
};

class DirectoryCases : public ::testing::TestWithParam<DirectoryCase> {};

TEST_P(DirectoryCases, CutAtTheLastBackslash)
{
    EXPECT_EQ(DirectoryOfModule(GetParam().modulePath), GetParam().directory);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DirectoryCases,
    ::testing::Values(DirectoryCase{"Ordinary", "C:\\Games\\Tarnhold\\Launcher.exe", "C:\\Games\\Tarnhold"},
                      DirectoryCase{"DriveRootKeepsItsBackslash", "D:\\Launcher.exe", "D:\\"},
                      DirectoryCase{"OneLevelBelowTheRoot", "D:\\x\\Launcher.exe", "D:\\x"},
                      DirectoryCase{"NetworkShare", "\\\\server\\share\\Launcher.exe", "\\\\server\\share"},
                      DirectoryCase{"SpacesAndHighBytes", "C:\\My Games\\\xD3\xCE\xCF\xB7\\Launcher.exe",
                                    "C:\\My Games\\\xD3\xCE\xCF\xB7"},
                      DirectoryCase{"NoBackslash", "Launcher.exe", ""},
                      DirectoryCase{"Empty", "", ""}),
    [](const ::testing::TestParamInfo<DirectoryCase>& info) { return std::string(info.param.name); });

// A stand-in for GetModuleFileNameA: it copies as much of `path` as fits, cut
// without a terminator when the buffer is too small, and returns the length it
// wrote; it counts its calls.
struct FakeModuleName {
    std::string path;
    int calls = 0;

    std::size_t operator()(char* buffer, std::size_t size)
    {
        ++calls;
        if (path.size() < size) {
            std::memcpy(buffer, path.c_str(), path.size() + 1);
            return path.size();
        }
        std::memcpy(buffer, path.data(), size);
        return size;
    }
};

TEST(ReadWholeText, ReturnsAShortPathAfterOneCall)
{
    FakeModuleName fake{"C:\\Games\\Launcher.exe"};
    EXPECT_EQ(ReadWholeText(std::ref(fake), 260, 32768), fake.path);
    EXPECT_EQ(fake.calls, 1);
}

TEST(ReadWholeText, GrowsForPathsOf260CharactersAndMore)
{
    for (std::size_t length : {259u, 260u, 261u, 600u, 5000u}) {
        FakeModuleName fake{"C:\\" + std::string(length - 3, 'p')};
        EXPECT_EQ(ReadWholeText(std::ref(fake), 260, 32768), fake.path) << length;
    }
}

TEST(ReadWholeText, GivesNothingWhenTheTextNeverFitsOrTheCallFails)
{
    FakeModuleName tooLong{std::string(40000, 'p')};
    EXPECT_EQ(ReadWholeText(std::ref(tooLong), 260, 32768), "");
    EXPECT_EQ(ReadWholeText([](char*, std::size_t) { return std::size_t{0}; }, 260, 32768), "");
}

}  // namespace
