#include "ReplaceFile.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "PosixFiles.h"

namespace ini {

namespace {

// As many links as the kernel follows in one path.
const int kLongestLinkChain = 40;

std::string DirectoryPart(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

bool FollowLinks(const std::string& path, std::string& resolved)
{
    resolved = path;
    for (int hop = 0; hop <= kLongestLinkChain; ++hop) {
        struct stat status;
        if (lstat(resolved.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return true;
        char link[4096];
        const ssize_t length = readlink(resolved.c_str(), link, sizeof link);
        if (length < 0)
            return false;
        if (static_cast<std::size_t>(length) == sizeof link) {
            errno = ENAMETOOLONG;
            return false;
        }
        const std::string next(link, static_cast<std::size_t>(length));
        resolved = next[0] == '/' ? next : DirectoryPart(resolved) + next;
    }
    errno = ELOOP;
    return false;
}

namespace {

// True when the target may be replaced: it does not exist yet, or it is a
// regular file that can be opened for writing, as rewriting it in place would
// need.
bool MayReplace(const std::string& target)
{
    struct stat status;
    if (stat(target.c_str(), &status) != 0)
        return errno == ENOENT;
    if (S_ISDIR(status.st_mode)) {
        errno = EISDIR;
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        errno = EINVAL;
        return false;
    }
    const int fd = open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    close(fd);
    return true;
}

}  // namespace

bool SameFile(int fd, const std::string& path)
{
    struct stat opened;
    struct stat named;
    return fstat(fd, &opened) == 0 && lstat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
           opened.st_ino == named.st_ino;
}

namespace {

// Removes the temporary files of `prefix` in `directory` that no running save
// holds: a save keeps an exclusive lock on its own until it is renamed away.
void RemoveLeftovers(const std::string& directory, const std::string& prefix)
{
    DIR* listing = opendir(directory.empty() ? "." : directory.c_str());
    if (listing == nullptr)
        return;
    while (const dirent* item = readdir(listing)) {
        const std::string name = item->d_name;
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string path = directory + name;
        const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        // Only the file still under that name: one that a save has meanwhile
        // renamed over its target is the target now.
        if (flock(fd, LOCK_EX | LOCK_NB) == 0 && SameFile(fd, path))
            unlink(path.c_str());
        close(fd);
    }
    closedir(listing);
}

// Creates and locks a new temporary file (unlocked where the file system has
// no locks); -1 when none can be created.
int CreateLockedTemporary(const std::string& directory, const std::string& prefix, std::string& path)
{
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = directory + prefix + std::to_string(getpid()) + "-" + std::to_string(counter++);
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return -1;
        }
        // Another save may have taken it for a leftover in the moment before the
        // lock; then it is gone or going, and another name is tried. Where the
        // file system has no locks (NFS without its lock daemon), no save can
        // take it for a leftover either, as that needs the lock.
        const bool locked = flock(fd, LOCK_EX | LOCK_NB) == 0;
        if (locked ? SameFile(fd, path) : errno == ENOLCK || errno == EOPNOTSUPP)
            return fd;
        if (!locked && errno != EWOULDBLOCK) {
            const int error = errno;
            unlink(path.c_str());
            close(fd);
            errno = error;
            return -1;
        }
        close(fd);
    }
    errno = EEXIST;
    return -1;
}

// The mode a new file gets from the process's file-creation mask.
mode_t NewFileMode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Gives the temporary file the target's owner, group and mode; a new target
// gets what creating it directly would have given. Only the owner may be
// refused (an ordinary user cannot give a file away), and is then left.
bool TakeTargetIdentity(int fd, const std::string& target)
{
    struct stat status;
    if (stat(target.c_str(), &status) != 0)
        return errno == ENOENT && fchmod(fd, NewFileMode()) == 0;
    struct stat own;
    if (fstat(fd, &own) != 0)
        return false;
    if ((own.st_uid != status.st_uid || own.st_gid != status.st_gid) && fchown(fd, status.st_uid, status.st_gid) != 0 &&
        errno != EPERM)
        return false;
    return fchmod(fd, status.st_mode & 07777) == 0;
}

// Closes the temporary file, removes it and leaves errno at `error`.
void Discard(Replacement& replacement, int error)
{
    unlink(replacement.temporaryPath.c_str());
    std::fclose(replacement.file);
    replacement.file = nullptr;
    errno = error;
}

}  // namespace

bool BeginReplace(const std::string& target, Replacement& replacement)
{
    if (!FollowLinks(target, replacement.target) || !MayReplace(replacement.target))
        return false;
    const std::string directory = DirectoryPart(replacement.target);
    const std::string prefix = TemporaryPrefix(replacement.target);
    RemoveLeftovers(directory, prefix);
    const int fd = CreateLockedTemporary(directory, prefix, replacement.temporaryPath);
    if (fd < 0)
        return false;
    replacement.file = fdopen(fd, "wb");
    if (replacement.file == nullptr) {
        const int error = errno;
        unlink(replacement.temporaryPath.c_str());
        close(fd);
        errno = error;
        return false;
    }
    return true;
}

bool CommitReplace(Replacement& replacement)
{
    const int fd = fileno(replacement.file);
    // The lock stays until the file is closed, after the rename, so that no
    // other save takes a file that is about to become the target for a leftover.
    if (std::fflush(replacement.file) != 0 || !TakeTargetIdentity(fd, replacement.target) || fsync(fd) != 0 ||
        std::rename(replacement.temporaryPath.c_str(), replacement.target.c_str()) != 0) {
        Discard(replacement, errno);
        return false;
    }
    std::fclose(replacement.file);
    replacement.file = nullptr;
    return true;
}

void AbandonReplace(Replacement& replacement) { Discard(replacement, errno); }

}  // namespace ini
