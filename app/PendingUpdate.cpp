#include "PendingUpdate.h"

#include <windows.h>

#include "InstallNames.h"
#include "NativeMachine.h"
#include "OwnedHandle.h"
#include "ProgramImage.h"

namespace {

HANDLE OpenExisting(const char* fileName, DWORD access)
{
    return CreateFileA(fileName, access, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The bytes of an open file, read at given offsets.
class OpenFileBytes : public FileBytesSource {
public:
    explicit OpenFileBytes(HANDLE file) : m_file(file)
    {
        LARGE_INTEGER size = {};
        if (GetFileSizeEx(file, &size))
            m_size = static_cast<std::uint64_t>(size.QuadPart);
    }

    std::uint64_t Size() const override { return m_size; }

    bool Read(std::uint64_t offset, unsigned char* buffer, std::size_t count) const override
    {
        OVERLAPPED at = {};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD read = 0;
        return ReadFile(m_file, buffer, static_cast<DWORD>(count), &read, &at) && read == count;
    }

private:
    HANDLE m_file;
    std::uint64_t m_size = 0;
};

enum class PendingUpdateState { None, Installable, PlayerInUse };

// What the two files allow. Both are closed again when it returns, so that the
// swap can replace them.
PendingUpdateState CheckPendingUpdate()
{
    // Read access too, for the check that the update is a program that starts.
    const OwnedFileHandle pending(OpenExisting(kPendingPlayerFile, GENERIC_READ | GENERIC_WRITE));
    if (!pending)
        return PendingUpdateState::None;
    // An update cut off while it was downloaded, or one built for another
    // processor or as a library, would replace a working player with one that
    // cannot start; it stays where it is, as if none were pending.
    if (!IsStartableProgramImage(OpenFileBytes(pending.Get()), NativeMachine()))
        return PendingUpdateState::None;
    const OwnedFileHandle player(OpenExisting(kPlayerFile, GENERIC_WRITE));
    // A player that exists but cannot be written is running or protected; one that
    // does not exist at all is simply installed from the update.
    if (!player && GetLastError() != ERROR_FILE_NOT_FOUND)
        return PendingUpdateState::PlayerInUse;
    return PendingUpdateState::Installable;
}

}  // namespace

bool InstallPendingUpdate()
{
    switch (CheckPendingUpdate()) {
    case PendingUpdateState::None:
        return true;
    case PendingUpdateState::PlayerInUse:
        MessageBoxW(nullptr, L"游戏正在运行，请关闭游戏后进行更新操作", L"更新错误", MB_OK);
        return false;
    case PendingUpdateState::Installable:
        break;
    }
    // One step that replaces the player or leaves both files as they were, so a
    // failure can never lose the player; the swap is tried again at the next start.
    MoveFileExA(kPendingPlayerFile, kPlayerFile, MOVEFILE_REPLACE_EXISTING);
    return true;
}
