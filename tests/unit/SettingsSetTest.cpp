// `launcher-settings set`: one entry changed or added with CIniFile, confirmed by
// reading the file back, and the file left as it was whenever that fails.
#include "SetSetting.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "IniFile.h"
#include "RestoreSettingsFile.h"
#include "SettingsFile.h"
#include "SettingsLock.h"
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

// A set that fails after its save, through a link, puts back what was at the
// link's end (nothing, for a file not yet there) and leaves the link.
struct LinkCase {
    const char* name;
    std::optional<std::string> before;  // the linked file; none when missing
    const char* section;
    std::string problem;
};

void PrintTo(const LinkCase& c, std::ostream* os) { *os << c.name; }

class FailedSetsThroughLinks : public ::testing::TestWithParam<LinkCase> {};

TEST_P(FailedSetsThroughLinks, KeepTheLinkAndPutBackItsEnd)
{
    const LinkCase& c = GetParam();
    TempDir dir;
    std::filesystem::create_directory(dir.Path("real"));
    if (c.before)
        dir.Write("real/window.ini", *c.before);
    std::filesystem::create_symlink("real/window.ini", dir.Path("window.ini"));
    std::string out;
    std::string err;
    EXPECT_EQ(SetSetting({dir.Path("window.ini"), c.section, "X", "1"}, out, err), 1);
    EXPECT_EQ(err, "cannot set \"X\" in " + dir.Path("window.ini") + ": " + c.problem + "; the file is as it was\n");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("window.ini")));
    EXPECT_EQ(std::filesystem::read_symlink(dir.Path("window.ini")), "real/window.ini");
    EXPECT_EQ(std::filesystem::exists(dir.Path("real/window.ini")), c.before.has_value());
    EXPECT_EQ(TempDir::Read(dir.Path("real/window.ini")), c.before.value_or(""));
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"real", "window.ini"}));
}

INSTANTIATE_TEST_SUITE_P(
    Table, FailedSetsThroughLinks,
    ::testing::Values(
        // A key under an empty section name goes before any header, where no
        // lookup finds it.
        LinkCase{"ToAFileNotYetThere", std::nullopt, "", "the key is not found when the file is read again"},
        LinkCase{"ToAFile", kShadowed, "SYSTEM", "saving changed what [SYSTEM] WINDOW reads"}),
    [](const ::testing::TestParamInfo<LinkCase>& info) { return std::string(info.param.name); });

// The restore after a failed read-back puts the old text back only over the
// text of the set's own save, never over what another program wrote since.
struct RestoreCase {
    const char* name;
    std::optional<std::string> before;  // the file as the set read it; none when missing
    std::string now;                    // what the file holds when the restore begins
    std::optional<std::string> after;   // none: no file
    std::string said;
};

void PrintTo(const RestoreCase& c, std::ostream* os) { *os << c.name; }

class Restores : public ::testing::TestWithParam<RestoreCase> {};

const std::string kSaved = "[SYSTEM]\r\nSCREENWIDTH=1280\r\n";
const std::string kOtherProgram = "[SYSTEM]\r\nWINDOW=5\r\n";
const char kAsItWas[] = "the file is as it was";
const char kLeft[] = "another program has written the file since this set saved it, so it is left as that program "
                     "wrote it";

TEST_P(Restores, WriteBackOnlyOverTheSetsOwnSave)
{
    const RestoreCase& c = GetParam();
    TempDir dir;
    const std::string path = dir.Path("window.ini");
    if (c.before)
        dir.Write("window.ini", *c.before);
    SettingsFile original;
    ReadSettingsFile(path, original);
    dir.Write("window.ini", c.now);
    EXPECT_EQ(RestoreAfterFailedSet(original, kSaved, path), c.said);
    EXPECT_EQ(std::filesystem::exists(path), c.after.has_value());
    EXPECT_EQ(TempDir::Read(path), c.after.value_or(""));
    EXPECT_EQ(dir.Names(), std::vector<std::string>(c.after ? 1 : 0, "window.ini"));
}

INSTANTIATE_TEST_SUITE_P(
    Table, Restores,
    ::testing::Values(RestoreCase{"PutsBackTheOldText", kWindow, kSaved, kWindow, kAsItWas},
                      RestoreCase{"RemovesTheFileItMade", std::nullopt, kSaved, std::nullopt, kAsItWas},
                      RestoreCase{"PutsBackAnEmptyFile", "", kSaved, "", kAsItWas},
                      RestoreCase{"LeavesAnotherProgramsText", kWindow, kOtherProgram, kOtherProgram, kLeft},
                      RestoreCase{"LeavesAFileAnotherProgramMade", std::nullopt, kOtherProgram, kOtherProgram, kLeft}),
    [](const ::testing::TestParamInfo<RestoreCase>& info) { return std::string(info.param.name); });

TEST(SavedText, IsWhatASaveWrites)
{
    TempDir dir;
    const std::string path = dir.Write("window.ini", "[SYSTEM]\nWINDOW=1\n[other]\nA= x\nB=a;b\n");
    CIniFile document;
    ASSERT_TRUE(document.Load(path.c_str()));
    const std::string saved = SavedText(document);
    ASSERT_TRUE(document.Save());
    EXPECT_EQ(TempDir::Read(path), saved);
}

TEST(SetSetting, SaysThatOtherHardLinksKeepTheOldText)
{
    TempDir dir;
    const std::string path = dir.Write("window.ini", kWindow);
    std::filesystem::create_hard_link(path, dir.Path("copy.ini"));
    std::string out;
    std::string err;
    ASSERT_EQ(SetSetting({path, "SYSTEM", "SCREENWIDTH", "1280"}, out, err), 0) << err;
    EXPECT_EQ(out, "note: " + path + " has 1 other hard link(s); the save puts a new file in its place, so they keep "
                   "the old text\n" + path + ": [SYSTEM] SCREENWIDTH changed from \"1024\" to \"1280\"\n");
    EXPECT_EQ(TempDir::Read(dir.Path("copy.ini")), kWindow);
}

// Runs SetSetting in a child process; its exit status is the set's.
pid_t SetInChild(const SetRequest& request)
{
    const pid_t child = fork();
    if (child == 0) {
        std::string out;
        std::string err;
        _exit(SetSetting(request, out, err));
    }
    return child;
}

int ExitStatus(pid_t child)
{
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Sets of different keys at the same time take turns, so that every one's
// change is kept, round after round.
TEST(SetSetting, ConcurrentSetsKeepEveryChange)
{
    TempDir dir;
    const std::string path = dir.Path("window.ini");
    for (int round = 0; round < 5; ++round) {
        dir.Write("window.ini", kWindow);
        std::vector<pid_t> setters;
        for (int i = 0; i < 8; ++i)
            setters.push_back(SetInChild({path, "SYSTEM", "KEY" + std::to_string(i), std::to_string(round)}));
        for (const pid_t setter : setters)
            EXPECT_EQ(ExitStatus(setter), 0);
        CIniFile reread;
        ASSERT_TRUE(reread.Load(path.c_str()));
        EXPECT_EQ(reread.Entries().size(), 9u) << "round " << round;
        for (int i = 0; i < 8; ++i) {
            const char* value = reread.GetString("SYSTEM", ("KEY" + std::to_string(i)).c_str(), false);
            EXPECT_EQ(value != nullptr ? value : "(none)", std::to_string(round)) << "KEY" << i;
        }
        EXPECT_EQ(dir.Names(), std::vector<std::string>{"window.ini"});
    }
}

// A set waits while another holds the file's lock, and goes on once it is free.
TEST(SetSetting, WaitsForTheSetThatHoldsTheLock)
{
    TempDir dir;
    const std::string path = dir.Write("window.ini", kWindow);
    SettingsLock held;
    ASSERT_EQ(LockSettingsFile(path, 0, held), LockState::Held);
    const pid_t setter = SetInChild({path, "SYSTEM", "SCREENWIDTH", "1280"});
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(TempDir::Read(path), kWindow) << "changed while another held the lock";
    UnlockSettingsFile(held);
    EXPECT_EQ(ExitStatus(setter), 0);
    EXPECT_EQ(TempDir::Read(path), "[SYSTEM]\r\nSCREENWIDTH=1280\r\n");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"window.ini"});
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
        {EBADF, "it is not open for writing"},
        {EPIPE, "the reading end of the pipe is closed"},
        {EIO, "input/output error"},
    };
    for (const auto& [error, text] : causes)
        EXPECT_EQ(FileProblem(error), text) << error;
}

}  // namespace
