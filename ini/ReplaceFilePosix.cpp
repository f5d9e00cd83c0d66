#include "ReplaceFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ini {

std::FILE* CreateTemporaryBeside(const std::string& target, std::string& temporaryPath)
{
    // The temporary file takes the target's permissions, so that replacing the
    // target does not change who may read it.
    struct stat targetStatus;
    const bool targetExists = stat(target.c_str(), &targetStatus) == 0;
    const std::string stem = target + ".tmp" + std::to_string(getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath = stem + std::to_string(attempt);
        const int fd = open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return nullptr;
        }
        std::FILE* file = nullptr;
        if (!targetExists || fchmod(fd, targetStatus.st_mode & 07777) == 0)
            file = fdopen(fd, "wb");
        if (file == nullptr) {
            close(fd);
            unlink(temporaryPath.c_str());
        }
        return file;
    }
    return nullptr;
}

bool CommitTemporary(std::FILE* file, const std::string& temporaryPath, const std::string& target)
{
    bool written = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    written = std::fclose(file) == 0 && written;
    if (written && std::rename(temporaryPath.c_str(), target.c_str()) == 0)
        return true;
    unlink(temporaryPath.c_str());
    return false;
}

void DiscardTemporary(std::FILE* file, const std::string& temporaryPath)
{
    std::fclose(file);
    unlink(temporaryPath.c_str());
}

}  // namespace ini
