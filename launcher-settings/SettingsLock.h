// The lock that lets concurrent `set`s of one settings file take turns: each
// holds it for its whole read, change, save and read-back, so that none reads
// the file while another is changing it, and none undoes another's change.
//
// The lock is a file beside the settings file (beside the end of its chain of
// links, where a save's temporary file goes too), named ".ini-", the hash of
// the file's name and ".lock". POSIX: locked with flock, and taken only while
// it is still the file of that name; Windows: held open without sharing and
// deleted when closed. Its holder removes it, so it never stays behind; the
// next `set` takes over the file of a killed one.
#pragma once

#include <cstdint>
#include <string>

enum class LockState {
    Held,         // this process holds the lock
    Unsupported,  // the file system cannot lock files: nothing is held, and nothing is left
    Busy,         // another `set` held it for the whole wait
    Failed,       // the lock file cannot be made or the links cannot be followed; errno says why
};

struct SettingsLock {
    std::string target;         // the settings file that a save replaces: the end of the path's links
    std::string path;           // the lock file
    std::intptr_t handle = -1;  // POSIX: its descriptor; Windows: its HANDLE; -1 while none is held
};

// Takes the lock of editing the settings file `path`, waiting up to
// `patienceMs` milliseconds while another `set` holds it. `lock.target` is set
// whenever the links of `path` can be followed.
LockState LockSettingsFile(const std::string& path, int patienceMs, SettingsLock& lock);

// Removes the lock file and releases the lock; nothing for a lock not held.
void UnlockSettingsFile(SettingsLock& lock);

// The name of the lock file of `target`, which goes in the same directory.
std::string LockFileName(const std::string& target);

// The platform's part, in SettingsLockPosix.cpp and SettingsLockWin32.cpp.

// Sets `lock.target` and `lock.path` for the settings file `path`; false with
// errno set when its links cannot be followed.
bool FindLockFile(const std::string& path, SettingsLock& lock);

// One attempt to take the lock: Held, Unsupported, Busy (another holds it, or
// it was removed in the moment it was taken) or Failed.
LockState TryLockSettingsFile(SettingsLock& lock);

// The pause between two attempts.
void PauseBeforeRetry();
