// Holds a file open without sharing, so that tests can see how a program copes
// with a file in use; and tries an open for writing, as a second process would.
//
//   holder.exe hold FILE       opens FILE for reading with share mode 0, prints
//                              {"held":true} and keeps it open until standard
//                              input ends or delivers a byte, then exits 0.
//   holder.exe try-write FILE  opens FILE for writing (sharing reads, as a
//                              writer usually does), closes it again and prints
//                              {"opened":true} or {"opened":false,"error":N}.
//
// Exit codes: 0 held, or opened for writing; 1 the open failed (the output says
// {"held":false,"error":N} or {"opened":false,"error":N}); 2 bad arguments.
#include "FileBytes.h"
#include "OwnedHandle.h"

#include <windows.h>

#include <string>

namespace {

const int OpenFailedExitCode = 1;
const int BadArgumentsExitCode = 2;

std::string ResultJson(const char* name, bool succeeded)
{
    if (succeeded)
        return std::string("{\"") + name + "\":true}\n";
    return std::string("{\"") + name + "\":false,\"error\":" + std::to_string(GetLastError()) + "}\n";
}

// Blocks until standard input reaches its end or delivers anything.
void WaitForStdinToEnd()
{
    char byte = 0;
    DWORD read = 0;
    ReadFile(GetStdHandle(STD_INPUT_HANDLE), &byte, 1, &read, nullptr);
}

int Hold(const wchar_t* path)
{
    const OwnedFileHandle file(CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    WriteStdout(ResultJson("held", static_cast<bool>(file)));
    if (!file)
        return OpenFailedExitCode;
    WaitForStdinToEnd();
    return 0;
}

int TryWrite(const wchar_t* path)
{
    const OwnedFileHandle file(CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    WriteStdout(ResultJson("opened", static_cast<bool>(file)));
    return file ? 0 : OpenFailedExitCode;
}

}

int wmain(int argc, wchar_t** argv)
{
    std::wstring action = argc == 3 ? argv[1] : L"";
    if (action == L"hold")
        return Hold(argv[2]);
    if (action == L"try-write")
        return TryWrite(argv[2]);
    WriteStdout("usage: holder.exe hold|try-write FILE\n");
    return BadArgumentsExitCode;
}
