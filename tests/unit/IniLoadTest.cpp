// Loading files and strings, and what a failed load leaves behind.
#include <cstdio>
#include <filesystem>

#include <gtest/gtest.h>

#include "IniTestSupport.h"
#include "TempDir.h"

namespace {

const char kDocument[] = "[SYSTEM]\r\nSCREENWIDTH=1024\r\nSCREENHEIGHT=640\r\n[default]\r\nresourceURL=\"http://x//y\"\r\n";

TEST(Load, ReadsTheFileInBinaryMode)
{
    TempDir dir;
    CIniFile ini;
    EXPECT_TRUE(ini.Load(dir.Write("a.ini", kDocument).c_str()));
    EXPECT_EQ(EntriesOf(ini), (Triples{{"SYSTEM", "SCREENWIDTH", "1024"},
                                       {"SYSTEM", "SCREENHEIGHT", "640"},
                                       {"default", "resourceURL", "http://x//y"}}));
    EXPECT_EQ(SectionsOf(ini), (std::vector<std::string>{"SYSTEM", "default"}));
    EXPECT_EQ(ini.CurrentSection(), "default");
}

TEST(Load, KeepsZeroBytesInsideTheText)
{
    TempDir dir;
    CIniFile ini;
    const char bytes[] = "[S]\r\nK=a\0b\r\nL=2\r\n";
    ASSERT_TRUE(ini.Load(dir.Write("z.ini", std::string(bytes, sizeof bytes - 1)).c_str()));
    EXPECT_EQ(EntriesOf(ini), (Triples{{"S", "K", std::string("a\0b", 3)}, {"S", "L", "2"}}));
    EXPECT_STREQ(ini.GetString("S", "K", true), "a");
}

// Each failure leaves the sections, the entries and the current section of the
// document loaded before.
struct FailedLoadCase {
    const char* name;
    // Returns the path to load, or an empty string to skip where the machine
    // lacks the fixture.
    std::string (*prepare)(const TempDir& dir);
    // Whether the old text is still there for a later Parse.
    bool textKept;
};

class FailedLoads : public ::testing::TestWithParam<FailedLoadCase> {};

TEST_P(FailedLoads, ReturnFalseAndKeepThePreviousDocument)
{
    TempDir dir;
    const std::string path = GetParam().prepare(dir);
    if (path.empty())
        GTEST_SKIP() << "no such file on this machine";
    CIniFile ini;
    ASSERT_TRUE(ini.LoadFromString(kDocument));
    ASSERT_TRUE(ini.SelectSection("SYSTEM", false));
    const Triples before = EntriesOf(ini);

    EXPECT_FALSE(ini.Load(path.c_str()));
    EXPECT_EQ(EntriesOf(ini), before);
    EXPECT_EQ(SectionsOf(ini), (std::vector<std::string>{"SYSTEM", "default"}));
    EXPECT_EQ(ini.CurrentSection(), "SYSTEM");

    ini.Parse();
    EXPECT_EQ(EntriesOf(ini), GetParam().textKept ? before : Triples{});
}

INSTANTIATE_TEST_SUITE_P(
    Table, FailedLoads,
    ::testing::Values(
        FailedLoadCase{"MissingFile", [](const TempDir& dir) { return dir.Path("missing.ini"); }, false},
        FailedLoadCase{"EmptyFile", [](const TempDir& dir) { return dir.Write("empty.ini", ""); }, false},
        FailedLoadCase{"LargerThanA32BitSize",
                       [](const TempDir& dir) {
                           const std::string path = dir.Write("huge.ini", "");
                           std::filesystem::resize_file(path, 0x80000000ull);
                           return path;
                       },
                       true},
        FailedLoadCase{"DirectoryThatCannotBeRead", [](const TempDir& dir) { return dir.Path(""); }, true},
        // A kernel attribute file reports a size of a page but yields only a few
        // bytes: measured, then read short.
        FailedLoadCase{"FileYieldingFewerBytesThanMeasured",
                       [](const TempDir&) {
                           const std::string path = "/sys/devices/system/cpu/online";
                           return std::filesystem::exists(path) ? path : std::string();
                       },
                       true}),
    [](const ::testing::TestParamInfo<FailedLoadCase>& info) { return std::string(info.param.name); });

TEST(Load, ReplacesADocumentLoadedBefore)
{
    TempDir dir;
    CIniFile ini;
    ASSERT_TRUE(ini.LoadFromString(kDocument));
    EXPECT_TRUE(ini.Load(dir.Write("b.ini", "[Other]\r\nK=V\r\n").c_str()));
    EXPECT_EQ(EntriesOf(ini), (Triples{{"Other", "K", "V"}}));
    EXPECT_EQ(SectionsOf(ini), std::vector<std::string>{"Other"});
}

TEST(Load, RemembersTheNameEvenWhenTheFileIsMissing)
{
    TempDir dir;
    CIniFile ini;
    const std::string path = dir.Path("new.ini");
    EXPECT_FALSE(ini.Load(path.c_str()));
    EXPECT_TRUE(ini.AddValue("SYSTEM", "WINDOW", "1"));
    EXPECT_TRUE(ini.Save());
    EXPECT_EQ(TempDir::Read(path), "[SYSTEM]\r\nWINDOW=1\r\n");
}

TEST(LoadFromString, EmptyTextFailsAndLeavesEntries)
{
    CIniFile ini;
    ASSERT_TRUE(ini.LoadFromString(kDocument));
    EXPECT_FALSE(ini.LoadFromString(""));
    EXPECT_EQ(ini.Entries().size(), 3u);
    EXPECT_EQ(ini.CurrentSection(), "default");
    ini.Parse();
    EXPECT_TRUE(ini.Entries().empty());
}

TEST(NewObject, IsEmptyAndParsesToNothing)
{
    CIniFile ini;
    EXPECT_TRUE(ini.Sections().empty());
    EXPECT_TRUE(ini.Entries().empty());
    EXPECT_EQ(ini.CurrentSection(), "");
    EXPECT_TRUE(ini.Parse());
    EXPECT_TRUE(ini.Entries().empty());
}

TEST(Clear, EmptiesTheListsButKeepsTheTextAndCurrentSection)
{
    CIniFile ini;
    ASSERT_TRUE(ini.LoadFromString(kDocument));
    ini.Clear();
    EXPECT_TRUE(ini.Sections().empty());
    EXPECT_TRUE(ini.Entries().empty());
    EXPECT_EQ(ini.CurrentSection(), "default");
    ini.Parse();
    EXPECT_EQ(ini.Entries().size(), 3u);
}

}  // namespace
