#include "ReplaceFile.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "OwnedHandle.h"
#include "Win32Errors.h"

namespace ini {

namespace {

std::string DirectoryPart(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Fails with errno set from the last Windows error.
bool FailWithLastError()
{
    errno = ErrnoOfWin32Error(GetLastError());
    return false;
}

// True when the target may be replaced: it does not exist yet, or it is a file
// that can be opened for writing, as rewriting it in place would need (not
// read-only, not held open by another process without sharing).
bool MayReplace(const std::string& target)
{
    const DWORD attributes = GetFileAttributesA(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || FailWithLastError();
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        errno = EISDIR;
        return false;
    }
    const OwnedFileHandle file(CreateFileA(target.c_str(), GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file || FailWithLastError();
}

// Deletes the temporary files of `prefix` in `directory` that no running save
// holds: a save keeps its own open without delete sharing, so deleting it fails.
void RemoveLeftovers(const std::string& directory, const std::string& prefix)
{
    WIN32_FIND_DATAA found;
    const OwnedFindHandle search(FindFirstFileA((directory + prefix + "*").c_str(), &found));
    if (!search)
        return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            DeleteFileA((directory + found.cFileName).c_str());
    } while (FindNextFileA(search.Get(), &found));
}

OwnedFileHandle CreateHeldTemporary(const std::string& directory, const std::string& prefix, std::string& path)
{
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = directory + prefix + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
        // No delete sharing: while this handle is open, no other save removes it.
        OwnedFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file)
            return file;
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    FailWithLastError();
    return OwnedFileHandle();
}

std::string FullPath(const std::string& path)
{
    char full[MAX_PATH * 4];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return length > 0 && length < sizeof full ? std::string(full, length) : path;
}

// The attributes a program can set, as SetFileAttributesA takes them.
const DWORD kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Gives the replaced file the attributes and creation time the old one had,
// where the replace call did not (Wine's gives the new file its own).
void RestoreIdentity(const std::string& target, const WIN32_FILE_ATTRIBUTE_DATA& old)
{
    WIN32_FILE_ATTRIBUTE_DATA now;
    if (!GetFileAttributesExA(target.c_str(), GetFileExInfoStandard, &now))
        return;
    if (CompareFileTime(&now.ftCreationTime, &old.ftCreationTime) != 0) {
        const OwnedFileHandle file(CreateFileA(target.c_str(), FILE_WRITE_ATTRIBUTES,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file)
            SetFileTime(file.Get(), &old.ftCreationTime, nullptr, nullptr);
    }
    const DWORD wanted = old.dwFileAttributes & kSettableAttributes;
    if ((now.dwFileAttributes & kSettableAttributes) != wanted)
        SetFileAttributesA(target.c_str(), wanted != 0 ? wanted : FILE_ATTRIBUTE_NORMAL);
}

// Puts the written temporary file in place of the target. An existing target is
// replaced with ReplaceFileA, which keeps the target's attributes, creation time
// and security; a missing one (or one that the replace call lost) is created by
// moving the temporary file there. Full paths, because Wine's replace call
// fails on relative ones.
bool PutInPlace(const std::string& temporaryPath, const std::string& target)
{
    const std::string fullTarget = FullPath(target);
    WIN32_FILE_ATTRIBUTE_DATA old;
    if (GetFileAttributesExA(fullTarget.c_str(), GetFileExInfoStandard, &old)) {
        if (ReplaceFileA(fullTarget.c_str(), FullPath(temporaryPath).c_str(), nullptr,
                         REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr)) {
            RestoreIdentity(fullTarget, old);
            return true;
        }
        if (Exists(fullTarget))
            return FailWithLastError();
    }
    return MoveFileExA(temporaryPath.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ||
           FailWithLastError();
}

}  // namespace

bool BeginReplace(const std::string& target, Replacement& replacement)
{
    replacement.target = target;
    if (!MayReplace(target))
        return false;
    const std::string directory = DirectoryPart(target);
    const std::string prefix = TemporaryPrefix(target);
    RemoveLeftovers(directory, prefix);
    OwnedFileHandle handle = CreateHeldTemporary(directory, prefix, replacement.temporaryPath);
    if (!handle)
        return false;
    // The C run-time's descriptor takes the handle over once it exists, and the
    // stream the descriptor.
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle.Get()), _O_WRONLY | _O_BINARY);
    if (fd >= 0)
        handle.Detach();
    replacement.file = fd >= 0 ? _fdopen(fd, "wb") : nullptr;
    if (replacement.file == nullptr) {
        if (fd >= 0)
            _close(fd);
        handle.Reset();
        DeleteFileA(replacement.temporaryPath.c_str());
        errno = ENOMEM;
        return false;
    }
    return true;
}

bool CommitReplace(Replacement& replacement)
{
    bool written = std::fflush(replacement.file) == 0 && _commit(_fileno(replacement.file)) == 0;
    const int writeError = errno;
    // The replace needs the temporary file closed; from here another save could
    // take it for a leftover, which makes this one fail, never both.
    written = std::fclose(replacement.file) == 0 && written;
    replacement.file = nullptr;
    if (!written) {
        DeleteFileA(replacement.temporaryPath.c_str());
        errno = writeError != 0 ? writeError : EIO;
        return false;
    }
    if (PutInPlace(replacement.temporaryPath, replacement.target))
        return true;
    const int error = errno;
    DeleteFileA(replacement.temporaryPath.c_str());
    errno = error;
    return false;
}

void AbandonReplace(Replacement& replacement)
{
    const int error = errno;
    std::fclose(replacement.file);
    replacement.file = nullptr;
    DeleteFileA(replacement.temporaryPath.c_str());
    errno = error;
}

}  // namespace ini
