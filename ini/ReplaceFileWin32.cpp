#include "ReplaceFile.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>

namespace ini {

std::FILE* CreateTemporaryBeside(const std::string& target, std::string& temporaryPath)
{
    const std::string stem = target + ".tmp" + std::to_string(_getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath = stem + std::to_string(attempt);
        const int fd = _open(temporaryPath.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                             _S_IREAD | _S_IWRITE);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return nullptr;
        }
        std::FILE* file = _fdopen(fd, "wb");
        if (file == nullptr) {
            _close(fd);
            DeleteFileA(temporaryPath.c_str());
        }
        return file;
    }
    return nullptr;
}

bool CommitTemporary(std::FILE* file, const std::string& temporaryPath, const std::string& target)
{
    bool written = std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
    written = std::fclose(file) == 0 && written;
    if (written && MoveFileExA(temporaryPath.c_str(), target.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(temporaryPath.c_str());
    return false;
}

void DiscardTemporary(std::FILE* file, const std::string& temporaryPath)
{
    std::fclose(file);
    DeleteFileA(temporaryPath.c_str());
}

}  // namespace ini
