// How Save replaces a file: through links, keeping mode and owner, with any
// name the filesystem takes, and without leaving temporary files behind, even
// when saves are killed half-way or run at the same time.
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <csignal>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <pwd.h>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

#include "IniTestSupport.h"
#include "ReplaceFile.h"
#include "TempDir.h"

namespace {

namespace fs = std::filesystem;

const char kOld[] = "[SYSTEM]\r\nWINDOW=1\r\n";
const char kNew[] = "[SYSTEM]\r\nWINDOW=2\r\n";

// The names the saves give their temporary files.
bool IsTemporaryName(const fs::path& path)
{
    return path.filename().string().rfind(".ini-", 0) == 0;
}

// Every file under the directory whose name marks it as a save's temporary file.
std::vector<std::string> Leftovers(const std::string& directory)
{
    std::vector<std::string> found;
    for (const auto& item : fs::recursive_directory_iterator(directory)) {
        if (IsTemporaryName(item.path()))
            found.push_back(item.path().filename().string());
    }
    return found;
}

bool SaveWindow(const std::string& path, const char* value)
{
    CIniFile ini;
    ini.Load(path.c_str());
    return ini.SetValue("SYSTEM", "WINDOW", value) || ini.AddValue("SYSTEM", "WINDOW", value) ? ini.Save() : false;
}

// The user and group that tests running as root give files to.
bool Nobody(uid_t& uid, gid_t& gid)
{
    const passwd* user = getpwnam("nobody");
    if (user == nullptr)
        return false;
    uid = user->pw_uid;
    gid = user->pw_gid;
    return true;
}

// --- links, mode, owner -----------------------------------------------------

struct IdentityCase {
    const char* name;
    // Creates the files; returns the path that is saved and sets the path of
    // the file that must receive the text. Empty to skip on this machine.
    std::function<std::string(const TempDir&, std::string& real)> prepare;
};

class IdentityCases : public ::testing::TestWithParam<IdentityCase> {};

TEST_P(IdentityCases, SaveWritesTheRealFileAndKeepsWhatItIs)
{
    TempDir dir;
    std::string real;
    const std::string saved = GetParam().prepare(dir, real);
    if (saved.empty())
        GTEST_SKIP() << "needs root to give a file to another user";
    struct stat before;
    const bool existed = stat(real.c_str(), &before) == 0;
    struct stat linkBefore;
    ASSERT_EQ(lstat(saved.c_str(), &linkBefore), 0);

    ASSERT_TRUE(SaveWindow(saved, "2"));

    EXPECT_EQ(TempDir::Read(real), kNew);
    struct stat linkAfter;
    ASSERT_EQ(lstat(saved.c_str(), &linkAfter), 0);
    EXPECT_EQ(S_ISLNK(linkAfter.st_mode), S_ISLNK(linkBefore.st_mode)) << "a link stays a link";
    struct stat after;
    ASSERT_EQ(stat(real.c_str(), &after), 0);
    EXPECT_TRUE(S_ISREG(after.st_mode));
    if (existed) {
        EXPECT_EQ(after.st_mode & 07777, before.st_mode & 07777);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
    }
    EXPECT_EQ(Leftovers(dir.Path("")), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Table, IdentityCases,
    ::testing::Values(
        IdentityCase{"RelativeLinkIntoAnotherDirectory",
                     [](const TempDir& dir, std::string& real) {
                         fs::create_directory(dir.Path("real"));
                         real = dir.Write("real/target.ini", kOld);
                         fs::create_symlink("real/target.ini", dir.Path("settings.ini"));
                         return dir.Path("settings.ini");
                     }},
        IdentityCase{"ChainOfLinks",
                     [](const TempDir& dir, std::string& real) {
                         fs::create_directory(dir.Path("a"));
                         real = dir.Write("a/target.ini", kOld);
                         fs::create_symlink("target.ini", dir.Path("a/middle.ini"));
                         fs::create_symlink(dir.Path("a/middle.ini"), dir.Path("settings.ini"));
                         return dir.Path("settings.ini");
                     }},
        IdentityCase{"LinkToAFileNotYetThere",
                     [](const TempDir& dir, std::string& real) {
                         real = dir.Path("target.ini");
                         fs::create_symlink("target.ini", dir.Path("settings.ini"));
                         return dir.Path("settings.ini");
                     }},
        IdentityCase{"PrivateMode",
                     [](const TempDir& dir, std::string& real) {
                         real = dir.Write("settings.ini", kOld);
                         chmod(real.c_str(), 0600);
                         return real;
                     }},
        IdentityCase{"FileOfAnotherUser",
                     [](const TempDir& dir, std::string& real) {
                         uid_t uid;
                         gid_t gid;
                         real = dir.Write("settings.ini", kOld);
                         if (geteuid() != 0 || !Nobody(uid, gid) || chown(real.c_str(), uid, gid) != 0)
                             return std::string();
                         chmod(real.c_str(), 0600);
                         return real;
                     }}),
    [](const ::testing::TestParamInfo<IdentityCase>& info) { return std::string(info.param.name); });

// An ordinary user may save a file it can write whose group it is not in: the
// group cannot be given to the new file, and that alone does not stop the save.
TEST(Save, ByAnOrdinaryUserKeepsWhatItMay)
{
    uid_t uid;
    gid_t gid;
    if (geteuid() != 0 || !Nobody(uid, gid))
        GTEST_SKIP() << "needs root to act as another user";
    TempDir dir;
    chmod(dir.Path("").c_str(), 0777);
    const std::string path = dir.Write("settings.ini", kOld);
    ASSERT_EQ(chown(path.c_str(), uid, 0), 0);
    ASSERT_EQ(chmod(path.c_str(), 0664), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0)
            _exit(3);
        _exit(SaveWindow(path, "2") ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(TempDir::Read(path), kNew);
    struct stat after;
    ASSERT_EQ(stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_uid, uid);
    EXPECT_EQ(after.st_mode & 07777, 0664u);
    EXPECT_EQ(Leftovers(dir.Path("")), std::vector<std::string>{});
}

// --- long names -------------------------------------------------------------

class LongNames : public ::testing::TestWithParam<std::size_t> {};

TEST_P(LongNames, SaveAnyNameTheFilesystemTakes)
{
    TempDir dir;
    const std::string name = std::string(GetParam() - 4, 'n') + ".ini";
    const std::string path = dir.Path(name);
    ASSERT_TRUE(SaveWindow(path, "1"));
    ASSERT_TRUE(SaveWindow(path, "2"));
    EXPECT_EQ(TempDir::Read(path), kNew);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{name});
}

INSTANTIATE_TEST_SUITE_P(Table, LongNames, ::testing::Values(200u, 247u, 248u, 255u));

// --- killed and concurrent saves -------------------------------------------

// A document of a few megabytes, so that a save takes long enough to be killed
// in the middle; `mark` tells documents apart. Entries the document has are
// changed, others added.
void FillLargeDocument(CIniFile& ini, const std::string& mark)
{
    const std::string value(4096, mark[0]);
    const auto put = [&ini](const std::string& key, const std::string& text) {
        if (!ini.SetValue("S", key.c_str(), text.c_str()))
            ini.AddValue("S", key.c_str(), text.c_str());
    };
    for (int i = 0; i < 800; ++i)
        put("key" + std::to_string(i), value);
    put("end", mark);
}

// True when the file holds one of the large documents whole; `mark` tells which.
bool HoldsWholeDocument(const std::string& path, std::string& mark)
{
    CIniFile ini;
    if (!ini.Load(path.c_str()) || ini.Entries().size() != 801)
        return false;
    const char* end = ini.GetString("S", "end", false);
    mark = end != nullptr ? end : "";
    for (const IniEntry* entry : ini.Entries()) {
        if (entry->key != "end" && entry->value != std::string(4096, mark.empty() ? '?' : mark[0]))
            return false;
    }
    return !mark.empty();
}

// Waits until a save's temporary file shows in `directory`, or `patience` has
// passed. Files come and go meanwhile, so the listing must not throw.
void WaitForTemporaryFile(const std::string& directory, std::chrono::seconds patience)
{
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (std::chrono::steady_clock::now() < deadline) {
        std::error_code error;
        for (fs::directory_iterator item(directory, error), end; !error && item != end; item.increment(error)) {
            if (IsTemporaryName(item->path()))
                return;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

// Saves over and over until killed, after saying on `ready` that the document
// is built, so that the kill lands in a save rather than before the first.
[[noreturn]] void SaveForever(const std::string& path, const std::string& mark, int ready)
{
    CIniFile ini;
    ini.Load(path.c_str());
    FillLargeDocument(ini, mark);
    const char byte = 1;
    if (write(ready, &byte, 1) != 1)
        _exit(1);
    for (;;)
        ini.Save();
}

// A replacement that is neither committed nor abandoned, as when a save fails
// half-way, removes its temporary file when it goes and leaves the target and
// errno as they were.
TEST(Replacement, LeftUnfinishedRemovesItsTemporaryFile)
{
    const TempDir dir;
    const std::string path = dir.Write("window.ini", kOld);
    {
        ini::Replacement replacement;
        ASSERT_TRUE(ini::BeginReplace(path, replacement));
        ASSERT_EQ(Leftovers(dir.Path("")).size(), 1u);
        std::fputs(kNew, replacement.file);
        errno = ENOSPC;
    }
    EXPECT_EQ(errno, ENOSPC);
    EXPECT_EQ(Leftovers(dir.Path("")), std::vector<std::string>{});
    EXPECT_EQ(TempDir::Read(path), kOld);
}

TEST(Save, LeftoversOfKilledSavesDoNotPileUp)
{
    TempDir dir;
    const std::string path = dir.Path("settings.ini");
    std::mt19937 random(20261210);
    std::size_t mostLeftovers = 0;
    int roundsWithLeftovers = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (int round = 0; round < 60 && std::chrono::steady_clock::now() < deadline; ++round) {
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t saver = fork();
        ASSERT_GE(saver, 0);
        if (saver == 0)
            SaveForever(path, "k", ready[1]);
        close(ready[1]);
        char byte;
        const bool started = read(ready[0], &byte, 1) == 1;
        close(ready[0]);
        // The kill lands at a random moment of a save in progress, however slow
        // the machine or the build makes the steps before it.
        WaitForTemporaryFile(dir.Path(""), std::chrono::seconds(10));
        std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, 5000)(random)));
        kill(saver, SIGKILL);
        waitpid(saver, nullptr, 0);
        ASSERT_TRUE(started);
        const std::size_t leftovers = Leftovers(dir.Path("")).size();
        mostLeftovers = std::max(mostLeftovers, leftovers);
        roundsWithLeftovers += leftovers > 0 ? 1 : 0;
    }
    // Each save removes what killed ones left before it makes its own file.
    EXPECT_LE(mostLeftovers, 2u);
    // Killed saves did leave files here, so the save below has some to remove.
    EXPECT_GT(roundsWithLeftovers, 0);

    CIniFile ini;
    ini.Load(path.c_str());
    FillLargeDocument(ini, "f");
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(Leftovers(dir.Path("")), std::vector<std::string>{});
    std::string mark;
    EXPECT_TRUE(HoldsWholeDocument(path, mark));
    EXPECT_EQ(mark, "f");
}

TEST(Save, ConcurrentSavesEndWithOneWholeDocument)
{
    TempDir dir;
    const std::string path = dir.Path("settings.ini");
    std::vector<pid_t> savers;
    for (const char* mark : {"a", "b"}) {
        const pid_t saver = fork();
        ASSERT_GE(saver, 0);
        if (saver == 0) {
            CIniFile ini;
            ini.Load(path.c_str());
            FillLargeDocument(ini, mark);
            int saved = 0;
            for (int i = 0; i < 15; ++i)
                saved += ini.Save() ? 1 : 0;
            _exit(saved > 0 ? 0 : 1);
        }
        savers.push_back(saver);
    }
    for (const pid_t saver : savers) {
        int status = 0;
        ASSERT_EQ(waitpid(saver, &status, 0), saver);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    std::string mark;
    EXPECT_TRUE(HoldsWholeDocument(path, mark));
    EXPECT_TRUE(mark == "a" || mark == "b") << mark;
    EXPECT_EQ(Leftovers(dir.Path("")), std::vector<std::string>{});
}

}  // namespace
