// A stand-in for the game player Velmora.exe. Each run adds a line to
// player-starts.txt beside the exe, so that starts can be counted, and then
// writes player-record.json there: its exact command line, its working
// directory, its process id and the system ANSI code page. Its environment,
// which the launcher passes on unchanged, can ask it for more:
//   PLAYER_MESSAGE    text of a message box (caption "Velmora") shown after the record is written
//   PLAYER_STAY_MS    milliseconds to keep running after that
//   PLAYER_EXIT_CODE  the exit code (default 0)
#include "FileBytes.h"
#include "TextConversion.h"

#include <windows.h>

#include <cwchar>
#include <string>

namespace {

// The value of an environment variable; empty when it is not set.
std::wstring EnvironmentValue(const wchar_t* name)
{
    wchar_t value[1024] = {};
    DWORD length = GetEnvironmentVariableW(name, value, 1024);
    return length < 1024 ? std::wstring(value, length) : std::wstring();
}

unsigned EnvironmentNumber(const wchar_t* name)
{
    return static_cast<unsigned>(std::wcstoul(EnvironmentValue(name).c_str(), nullptr, 10));
}

std::wstring OwnDirectory()
{
    wchar_t path[MAX_PATH * 4] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    std::wstring directory = path;
    return directory.substr(0, directory.rfind(L'\\'));
}

std::wstring WorkingDirectory()
{
    wchar_t path[MAX_PATH * 4] = {};
    DWORD length = GetCurrentDirectoryW(MAX_PATH * 4, path);
    return std::wstring(path, length);
}

std::string RecordJson()
{
    return "{\"command_line\":" + JsonString(GetCommandLineW()) + ",\"working_directory\":" + JsonString(WorkingDirectory()) +
        ",\"process_id\":" + std::to_string(GetCurrentProcessId()) + ",\"ansi_code_page\":" + std::to_string(GetACP()) + "}\n";
}

}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // The count comes first, so that it is complete once the record is there.
    if (!AppendFileBytes(OwnDirectory() + L"\\player-starts.txt", std::to_string(GetCurrentProcessId()) + "\r\n") ||
        !ReplaceFileBytes(OwnDirectory() + L"\\player-record.json", RecordJson()))
        return 101;
    std::wstring message = EnvironmentValue(L"PLAYER_MESSAGE");
    if (!message.empty())
        MessageBoxW(nullptr, message.c_str(), L"Velmora", MB_OK);
    Sleep(EnvironmentNumber(L"PLAYER_STAY_MS"));
    return static_cast<int>(EnvironmentNumber(L"PLAYER_EXIT_CODE"));
}
