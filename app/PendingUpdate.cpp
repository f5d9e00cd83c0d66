#include "PendingUpdate.h"

#include <windows.h>

namespace {

HANDLE OpenForWriting(const char* fileName)
{
    return CreateFileA(fileName, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

}  // namespace

bool InstallPendingUpdate()
{
    HANDLE pending = OpenForWriting("Velmora_.exe");
    if (pending == INVALID_HANDLE_VALUE)
        return true;
    HANDLE player = OpenForWriting("Velmora.exe");
    const DWORD playerError = player == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
    if (player != INVALID_HANDLE_VALUE)
        CloseHandle(player);
    CloseHandle(pending);
    // A player that exists but cannot be written is running or protected; one that
    // does not exist at all is simply installed from the update.
    if (playerError != ERROR_SUCCESS && playerError != ERROR_FILE_NOT_FOUND) {
        MessageBoxW(nullptr, L"游戏正在运行，请关闭游戏后进行更新操作", L"更新错误", MB_OK);
        return false;
    }
    // One step that replaces the player or leaves both files as they were, so a
    // failure can never lose the player; the swap is tried again at the next start.
    MoveFileExA("Velmora_.exe", "Velmora.exe", MOVEFILE_REPLACE_EXISTING);
    return true;
}
