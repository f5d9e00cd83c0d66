#include "SettingsLock.h"

#include <cerrno>
#include <windows.h>

#include "OwnedHandle.h"
#include "Win32Errors.h"

bool FindLockFile(const std::string& path, SettingsLock& lock)
{
    // Saves on Windows write the file the path names.
    lock.target = path;
    const std::size_t slash = path.find_last_of("/\\");
    const std::string directory = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    lock.path = directory + LockFileName(path);
    return true;
}

LockState TryLockSettingsFile(SettingsLock& lock)
{
    // No sharing: while this handle is open, every other attempt fails with a
    // sharing violation. The system deletes the file when the handle closes,
    // also when the process is killed.
    const HANDLE file = CreateFileA(lock.path.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        lock.handle = reinterpret_cast<std::intptr_t>(file);
        return LockState::Held;
    }
    const DWORD error = GetLastError();
    // A file that its holder has just closed is refused until it is deleted.
    if (error == ERROR_SHARING_VIOLATION ||
        (error == ERROR_ACCESS_DENIED && GetFileAttributesA(lock.path.c_str()) != INVALID_FILE_ATTRIBUTES))
        return LockState::Busy;
    errno = ini::ErrnoOfWin32Error(error);
    return LockState::Failed;
}

// The lock file's handle goes back into an owning handle, which closes it:
// the system then deletes the file.
void UnlockSettingsFile(SettingsLock& lock)
{
    if (lock.handle == -1)
        return;
    const OwnedFileHandle held(reinterpret_cast<HANDLE>(lock.handle));
    lock.handle = -1;
}

void PauseBeforeRetry() { Sleep(10); }
