#include "SettingsLock.h"

#include <chrono>

#include "ReplaceFile.h"

std::string LockFileName(const std::string& target)
{
    // The temporary files' prefix without its last "-", so that no save takes
    // the lock file for a temporary file of its own.
    const std::string prefix = ini::TemporaryPrefix(target);
    return prefix.substr(0, prefix.size() - 1) + ".lock";
}

LockState LockSettingsFile(const std::string& path, int patienceMs, SettingsLock& lock)
{
    if (!FindLockFile(path, lock))
        return LockState::Failed;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(patienceMs);
    for (;;) {
        const LockState state = TryLockSettingsFile(lock);
        if (state != LockState::Busy || std::chrono::steady_clock::now() >= deadline)
            return state;
        PauseBeforeRetry();
    }
}
