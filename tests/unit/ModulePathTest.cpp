#include "ModulePath.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <functional>

namespace {

struct DirectoryCase {
    const char* name;
    std::wstring modulePath;
    std::wstring directory;
};

class DirectoryCases : public ::testing::TestWithParam<DirectoryCase> {};

TEST_P(DirectoryCases, CutAtTheLastBackslash)
{
    EXPECT_EQ(DirectoryOfModule(GetParam().modulePath), GetParam().directory);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DirectoryCases,
    ::testing::Values(DirectoryCase{"Ordinary", L"C:\\Games\\Tarnhold\\Launcher.exe", L"C:\\Games\\Tarnhold"},
                      DirectoryCase{"DriveRootKeepsItsBackslash", L"D:\\Launcher.exe", L"D:\\"},
                      DirectoryCase{"OneLevelBelowTheRoot", L"D:\\x\\Launcher.exe", L"D:\\x"},
                      DirectoryCase{"NetworkShare", L"\\\\server\\share\\Launcher.exe", L"\\\\server\\share"},
                      DirectoryCase{"SpacesAndChinese", L"C:\\My Games\\\u6E38\u620F\\Launcher.exe",
                                    L"C:\\My Games\\\u6E38\u620F"},
                      // Letters that code page 936 cannot spell, and a character
                      // outside the Basic Multilingual Plane (a surrogate pair).
                      DirectoryCase{"OutsideTheAnsiCodePage", L"C:\\\u0406\u03AD\\\U0001F3AE\\Launcher.exe",
                                    L"C:\\\u0406\u03AD\\\U0001F3AE"},
                      DirectoryCase{"NoBackslash", L"Launcher.exe", L""},
                      DirectoryCase{"Empty", L"", L""}),
    [](const ::testing::TestParamInfo<DirectoryCase>& info) { return std::string(info.param.name); });

struct PathCase {
    const char* name;
    std::wstring directory;
    std::wstring path;
};

class PathCases : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathCases, OneBackslashBeforeTheFileName)
{
    EXPECT_EQ(PathInDirectory(GetParam().directory, L"Velmora.exe"), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PathCases,
    ::testing::Values(PathCase{"Ordinary", L"C:\\Games\\Tarnhold", L"C:\\Games\\Tarnhold\\Velmora.exe"},
                      PathCase{"DriveRoot", L"D:\\", L"D:\\Velmora.exe"},
                      PathCase{"NetworkShare", L"\\\\server\\share", L"\\\\server\\share\\Velmora.exe"},
                      PathCase{"OutsideTheAnsiCodePage", L"Z:\\\u0406\u03AD", L"Z:\\\u0406\u03AD\\Velmora.exe"}),
    [](const ::testing::TestParamInfo<PathCase>& info) { return std::string(info.param.name); });

// A stand-in for GetModuleFileNameW: it copies as much of `path` as fits, cut
// without a terminator when the buffer is too small, and returns the length it
// wrote; it counts its calls.
struct FakeModuleName {
    std::wstring path;
    int calls = 0;

    std::size_t operator()(wchar_t* buffer, std::size_t size)
    {
        ++calls;
        if (path.size() < size) {
            std::wmemcpy(buffer, path.c_str(), path.size() + 1);
            return path.size();
        }
        std::wmemcpy(buffer, path.data(), size);
        return size;
    }
};

TEST(ReadWholeText, ReturnsAShortPathAfterOneCall)
{
    FakeModuleName fake{L"C:\\Games\\Launcher.exe"};
    EXPECT_EQ(ReadWholeText(std::ref(fake), kFirstModulePathSize, kLongestModulePath), fake.path);
    EXPECT_EQ(fake.calls, 1);
}

TEST(ReadWholeText, GrowsForPathsThatFillTheFirstBufferAndLonger)
{
    for (std::size_t length : {kFirstModulePathSize - 1, kFirstModulePathSize, kFirstModulePathSize + 1,
                               std::size_t{600}, std::size_t{5000}}) {
        FakeModuleName fake{L"C:\\" + std::wstring(length - 3, L'\u0406')};
        EXPECT_EQ(ReadWholeText(std::ref(fake), kFirstModulePathSize, kLongestModulePath), fake.path) << length;
    }
}

TEST(ReadWholeText, GivesNothingWhenTheTextNeverFitsOrTheCallFails)
{
    FakeModuleName tooLong{std::wstring(kLongestModulePath * 2, L'p')};
    EXPECT_EQ(ReadWholeText(std::ref(tooLong), kFirstModulePathSize, kLongestModulePath), L"");
    EXPECT_EQ(ReadWholeText([](wchar_t*, std::size_t) { return std::size_t{0}; }, kFirstModulePathSize,
                            kLongestModulePath),
              L"");
}

}  // namespace
