// The lock of editing a settings file: one holder at a time, a lock file beside
// the file that links lead to, nothing left once it is released, and the file
// of a holder that was killed taken over.
#include "SettingsLock.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "TempDir.h"

namespace {

namespace fs = std::filesystem;

TEST(SettingsLock, IsAFileBesideTheSettingsFileWhileHeld)
{
    TempDir dir;
    const std::string path = dir.Write("window.ini", "[SYSTEM]\r\n");
    SettingsLock lock;
    ASSERT_EQ(LockSettingsFile(path, 0, lock), LockState::Held);
    EXPECT_EQ(lock.target, path);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{LockFileName(path), "window.ini"}));
    UnlockSettingsFile(lock);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"window.ini"});
}

TEST(SettingsLock, HasOneHolderAtATime)
{
    TempDir dir;
    const std::string path = dir.Path("window.ini");
    SettingsLock first;
    ASSERT_EQ(LockSettingsFile(path, 0, first), LockState::Held);
    SettingsLock second;
    EXPECT_EQ(LockSettingsFile(path, 50, second), LockState::Busy);
    UnlockSettingsFile(first);
    EXPECT_EQ(LockSettingsFile(path, 0, second), LockState::Held);
    UnlockSettingsFile(second);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{});
}

// Names that lead to one file share its lock, beside the file itself.
TEST(SettingsLock, IsTheSameThroughEveryLinkToTheFile)
{
    TempDir dir;
    fs::create_directory(dir.Path("real"));
    const std::string real = dir.Write("real/window.ini", "[SYSTEM]\r\n");
    fs::create_symlink("real/window.ini", dir.Path("window.ini"));
    fs::create_symlink(real, dir.Path("other.ini"));
    SettingsLock throughLink;
    ASSERT_EQ(LockSettingsFile(dir.Path("window.ini"), 0, throughLink), LockState::Held);
    EXPECT_EQ(throughLink.target, dir.Path("real/window.ini"));
    EXPECT_EQ(throughLink.path, dir.Path("real/" + LockFileName(real)));
    SettingsLock throughOther;
    EXPECT_EQ(LockSettingsFile(dir.Path("other.ini"), 0, throughOther), LockState::Busy);
    SettingsLock direct;
    EXPECT_EQ(LockSettingsFile(real, 0, direct), LockState::Busy);
    UnlockSettingsFile(throughLink);
}

TEST(SettingsLock, TakesOverTheFileOfAKilledHolder)
{
    TempDir dir;
    const std::string path = dir.Path("window.ini");
    dir.Write(LockFileName(path), "");
    SettingsLock lock;
    ASSERT_EQ(LockSettingsFile(path, 0, lock), LockState::Held);
    UnlockSettingsFile(lock);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{});
}

TEST(SettingsLock, NamesWhyItCannotBeMade)
{
    TempDir dir;
    SettingsLock inMissingDirectory;
    EXPECT_EQ(LockSettingsFile(dir.Path("absent/window.ini"), 0, inMissingDirectory), LockState::Failed);
    EXPECT_EQ(errno, ENOENT);
    fs::create_symlink("window.ini", dir.Path("window.ini"));
    SettingsLock throughLoop;
    EXPECT_EQ(LockSettingsFile(dir.Path("window.ini"), 0, throughLoop), LockState::Failed);
    EXPECT_EQ(errno, ELOOP);
    UnlockSettingsFile(throughLoop);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"window.ini"});
}

}  // namespace
