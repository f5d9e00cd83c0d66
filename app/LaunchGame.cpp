#include "LaunchGame.h"

#include <windows.h>

#include <string>

#include "AnsiToWide.h"
#include "InstallNames.h"
#include "LauncherGlobals.h"
#include "OwnedHandle.h"
#include "ModulePath.h"
#include "PlayerCommandLine.h"
#include "Startup.h"

namespace {

// "启动游戏失败" in code page 936, shown through the ANSI message box.
const char kLaunchFailedText[] = "\xC6\xF4\xB6\xAF\xD3\xCE\xCF\xB7\xCA\xA7\xB0\xDC";

}  // namespace

void LaunchGame()
{
    const std::wstring line = ComposePlayerCommandLine(AnsiToWide(g_launchUrl));

    // CreateProcessW may write into the command line, so it gets its own buffer.
    wchar_t command[kPlayerCommandLineSize] = {};
    line.copy(command, kPlayerCommandLineSize - 1);

    // The player is named by its full path, so that a player missing from the
    // install is reported instead of being looked for in the system directories
    // and on the PATH.
    const std::wstring player = PathInDirectory(InstallDirectory(), kPlayerFileWide);

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (CreateProcessW(player.c_str(), command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        // The launcher neither waits for the player nor looks at it again, so
        // both handles are closed at once.
        const OwnedKernelHandle processHandle(process.hProcess);
        const OwnedKernelHandle threadHandle(process.hThread);
    } else {
        MessageBoxA(nullptr, kLaunchFailedText, "Error", MB_OK);
    }
    ExitProcess(0);
}
