#include "SettingsLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <time.h>
#include <unistd.h>

#include "PosixFiles.h"

bool FindLockFile(const std::string& path, SettingsLock& lock)
{
    if (!ini::FollowLinks(path, lock.target))
        return false;
    const std::size_t slash = lock.target.rfind('/');
    const std::string directory = slash == std::string::npos ? std::string() : lock.target.substr(0, slash + 1);
    lock.path = directory + LockFileName(lock.target);
    return true;
}

LockState TryLockSettingsFile(SettingsLock& lock)
{
    // Read-only and readable by all, so that a `set` of another user can take
    // over the file of a killed one; no link is followed to another file.
    const int fd = open(lock.path.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        return LockState::Failed;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        close(fd);
        if (error == EWOULDBLOCK)
            return LockState::Busy;
        // Nothing can hold a lock here, so the file serves no one.
        unlink(lock.path.c_str());
        errno = error;
        return error == ENOLCK || error == EOPNOTSUPP ? LockState::Unsupported : LockState::Failed;
    }
    // The holder before removes the file before it lets go: a lock on a file
    // that no longer has this name locks nothing, and the name is tried again.
    if (!ini::SameFile(fd, lock.path)) {
        close(fd);
        return LockState::Busy;
    }
    lock.handle = fd;
    return LockState::Held;
}

void UnlockSettingsFile(SettingsLock& lock)
{
    if (lock.handle < 0)
        return;
    unlink(lock.path.c_str());
    close(static_cast<int>(lock.handle));
    lock.handle = -1;
}

void PauseBeforeRetry()
{
    const timespec pause{0, 10 * 1000 * 1000};
    nanosleep(&pause, nullptr);
}
