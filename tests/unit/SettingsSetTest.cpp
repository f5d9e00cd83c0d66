// `launcher-settings set`: one entry changed or added with CIniFile, confirmed by
// reading the file back, and the file left as it was whenever that fails.
#include "SetSetting.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <sys/stat.h>

#include "IniFile.h"
#include "SettingsFile.h"
#include "TempDir.h"

namespace {

struct SetCase {
    const char* name;
    std::optional<std::string> before;  // no file when empty
    const char* section;
    const char* key;
    std::string value;
    int status;
    std::optional<std::string> after;  // the file's bytes afterwards; empty for "as before"
};

void PrintTo(const SetCase& c, std::ostream* os) { *os << c.name; }

class SetCases : public ::testing::TestWithParam<SetCase> {};

TEST_P(SetCases, WritesOnlyWhatReadsBack)
{
    const SetCase& c = GetParam();
    TempDir dir;
    const std::string path = dir.Path("settings.ini");
    if (c.before)
        dir.Write("settings.ini", *c.before);
    std::string out;
    std::string err;
    EXPECT_EQ(SetSetting({path, c.section, c.key, c.value}, out, err), c.status) << err;
    EXPECT_EQ(TempDir::Read(path), c.after ? *c.after : c.before.value_or(""));
    EXPECT_EQ(dir.Names(), std::vector<std::string>(c.before || c.status == 0 ? 1 : 0, "settings.ini"))
        << "no temporary file stays";
    if (c.status == 0) {
        CIniFile reread;
        reread.Load(path.c_str());
        const char* value = reread.GetString(c.section, c.key, true);
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value, c.value);
    }
    EXPECT_EQ(err.empty(), c.status == 0) << err;
}

const std::string kWindow = "[SYSTEM]\r\nSCREENWIDTH=1024\r\n";
const std::string kShadowed = "[System]\r\n[SYSTEM]\r\nWINDOW=1\r\n[other]\r\nA=1\r\n";

INSTANTIATE_TEST_SUITE_P(
    Table, SetCases,
    ::testing::Values(
        SetCase{"ChangesAValue", kWindow, "SYSTEM", "SCREENWIDTH", "1280", 0, "[SYSTEM]\r\nSCREENWIDTH=1280\r\n"},
        SetCase{"AddsAKeyAtTheEnd", kWindow, "SYSTEM", "SCREENHEIGHT", "640", 0, kWindow + "SCREENHEIGHT=640\r\n"},
        SetCase{"AddsAKeyUnderAFurtherHeader", kWindow + "[other]\r\nA=1\r\n", "SYSTEM", "SCREENHEIGHT", "640", 0,
                kWindow + "[other]\r\nA=1\r\n[SYSTEM]\r\nSCREENHEIGHT=640\r\n"},
        SetCase{"CreatesAMissingFile", std::nullopt, "SYSTEM", "WINDOW", "1", 0, "[SYSTEM]\r\nWINDOW=1\r\n"},
        SetCase{"QuotesAnAddressWithSlashes", "[default]\r\nresourceURL=http:\r\n", "default", "resourceURL",
                "http://10.0.0.1//launch.php", 0, "[default]\r\nresourceURL=\"http://10.0.0.1//launch.php\"\r\n"},
        SetCase{"QuotesAValueWithASemicolon", kWindow, "SYSTEM", "NOTE", "a;b", 0,
                kWindow + "NOTE=\"a;b\"\r\n"},
        SetCase{"KeepsTheFilesSpellingOfTheSection", "[system]\r\nwindow=1\r\n", "SYSTEM", "WINDOW", "2", 0,
                "[system]\r\nwindow=2\r\n"},
        SetCase{"AddsUnderTheHeaderThatLookupsChoose", "[System]\r\nWINDOW=1\r\n[SYSTEM]\r\nSCREENWIDTH=1024\r\n",
                "SYSTEM", "SCREENWIDTH", "800", 0,
                "[System]\r\nWINDOW=1\r\n[SYSTEM]\r\nSCREENWIDTH=1024\r\n[System]\r\nSCREENWIDTH=800\r\n"},
        SetCase{"RefusesWhatWouldNotReadBack", "[System]\r\n[SYSTEM]\r\nWINDOW=1\r\n", "SYSTEM", "X", "1", 1,
                std::nullopt},
        SetCase{"RefusesToChangeWhatOtherKeysRead", kShadowed, "other", "A", "2", 1, std::nullopt},
        SetCase{"RefusesAValueNoLineCanHold", kWindow, "SYSTEM", "NOTE", "say \"hi\"; bye", 2, std::nullopt},
        SetCase{"RefusesAKeyThatCannotBeRead", kWindow, "SYSTEM", "-WIDTH", "1", 2, std::nullopt},
        SetCase{"RefusesASectionWithABracket", kWindow, "SYS]TEM", "WIDTH", "1", 2, std::nullopt}),
    [](const ::testing::TestParamInfo<SetCase>& info) { return std::string(info.param.name); });

TEST(SetSetting, SaysWhatChangedAndWhereTheFileSpellsItOtherwise)
{
    TempDir dir;
    const std::string path = dir.Write("window.ini", "[system]\r\nscreenwidth=1024\r\n");
    std::string out;
    std::string err;
    ASSERT_EQ(SetSetting({path, "SYSTEM", "SCREENWIDTH", "1280"}, out, err), 0);
    EXPECT_EQ(out, "note: the file spells the section [system], which a lookup ignoring case chooses; the entry goes there\n"
                   "note: the file spells the key screenwidth; its spelling stays\n" +
                       path + ": [SYSTEM] SCREENWIDTH changed from \"1024\" to \"1280\"\n");
}

TEST(SetSetting, ExplainsARefusal)
{
    TempDir dir;
    const std::string path = dir.Write("window.ini", kShadowed);
    std::string out;
    std::string err;
    ASSERT_EQ(SetSetting({path, "other", "A", "2"}, out, err), 1);
    EXPECT_EQ(err, "cannot set \"A\" in " + path + ": saving changed what [SYSTEM] WINDOW reads; the file is as it was\n");
}

TEST(SetSetting, ReportsAMissingDirectory)
{
    TempDir dir;
    const std::string path = dir.Path("absent/window.ini");
    std::string out;
    std::string err;
    EXPECT_EQ(SetSetting({path, "SYSTEM", "WINDOW", "1"}, out, err), 1);
    EXPECT_EQ(err, "cannot write " + path + ": the directory " + dir.Path("absent") +
                       ": no such file or directory; the file is unchanged\n");
}

TEST(SetSetting, ReportsAnUnreadableFile)
{
    TempDir dir;
    std::filesystem::create_directory(dir.Path("window.ini"));
    std::string out;
    std::string err;
    EXPECT_EQ(SetSetting({dir.Path("window.ini"), "SYSTEM", "WINDOW", "1"}, out, err), 2);
    EXPECT_EQ(err, "cannot read " + dir.Path("window.ini") + ": it is a directory\n");
}

// A file that exists but cannot be loaded is refused before anything is
// written, with the cause; the file stays exactly as it was.
struct UnloadableCase {
    const char* name;
    std::function<void(const std::string& path)> make;
    std::string reason;
};

void PrintTo(const UnloadableCase& c, std::ostream* os) { *os << c.name; }

class UnloadableFiles : public ::testing::TestWithParam<UnloadableCase> {};

TEST_P(UnloadableFiles, AreRefusedAndLeftAsTheyWere)
{
    TempDir dir;
    const std::string path = dir.Path("window.ini");
    GetParam().make(path);
    struct stat before;
    ASSERT_EQ(lstat(path.c_str(), &before), 0);
    std::string out;
    std::string err;
    EXPECT_EQ(SetSetting({path, "SYSTEM", "WINDOW", "1"}, out, err), 2);
    EXPECT_EQ(err, "cannot read " + path + ": " + GetParam().reason + "\n");
    EXPECT_EQ(out, "");
    struct stat after;
    ASSERT_EQ(lstat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_size, before.st_size);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"window.ini"});
}

INSTANTIATE_TEST_SUITE_P(
    Table, UnloadableFiles,
    ::testing::Values(
        UnloadableCase{"Fifo", [](const std::string& path) { mkfifo(path.c_str(), 0600); },
                       "not a regular file (a FIFO, socket or device), which the launcher cannot read"},
        UnloadableCase{"LargerThanTheReaderTakes",
                       [](const std::string& path) {
                           std::ofstream(path, std::ios::binary) << "[SYSTEM]\r\nWINDOW=0\r\n";
                           std::filesystem::resize_file(path, 0x80000001ull);
                       },
                       "it is 2147483649 bytes, and the launcher's settings reader takes at most 2147483647"},
        UnloadableCase{"LinkLoop",
                       [](const std::string& path) { std::filesystem::create_symlink("window.ini", path); },
                       "too many levels of symbolic links (a link loop)"}),
    [](const ::testing::TestParamInfo<UnloadableCase>& info) { return std::string(info.param.name); });

// Each cause of a failed read or save is named as it is, not as an
// input/output error.
TEST(FileProblem, NamesTheRealCause)
{
    const std::pair<int, const char*> causes[] = {
        {ENOENT, "no such file or directory"},
        {EACCES, "permission denied"},
        {ELOOP, "too many levels of symbolic links (a link loop)"},
        {ENOSPC, "no space left on the device (no free blocks or no free inodes)"},
        {EDQUOT, "the disk quota is exceeded"},
        {ENAMETOOLONG, "the name is too long"},
        {EFBIG, "the file would be larger than the process may write"},
        {EIO, "input/output error"},
    };
    for (const auto& [error, text] : causes)
        EXPECT_EQ(FileProblem(error), text) << error;
}

}  // namespace
