// Starts a program with an exact command line and waits for it to end.
//
//   starter.exe [--application PATH] [--directory DIR] [--show SW] COMMAND_LINE_FILE
//
// COMMAND_LINE_FILE holds the command line in UTF-8 and is passed to
// CreateProcessW byte for byte: a command line given as arguments through Wine
// would come out re-quoted. --application is CreateProcessW's application name
// (none by default), --directory the new process's working directory (the
// starter's own by default), and --show sets STARTF_USESHOWWINDOW with that
// wShowWindow value. The new process gets the starter's environment.
//
// Standard output, one JSON object a line:
//   {"started":true,"process_id":N} when the process runs, then {"exit_code":N};
//       the starter exits with the same code.
//   {"started":false,"error":N} when CreateProcessW fails with GetLastError N;
//       the starter exits with 250.
// Exit code 251: bad arguments, or the command-line file unreadable or not UTF-8.
#include "FileBytes.h"
#include "OwnedHandle.h"
#include "TextConversion.h"
#include "ToolArguments.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

const int StartFailedExitCode = 250;
const int BadRequestExitCode = 251;

const wchar_t* OptionalText(const ToolArguments& arguments, const wchar_t* name)
{
    auto option = arguments.options.find(name);
    return option == arguments.options.end() ? nullptr : option->second.c_str();
}

}

int wmain(int argc, wchar_t** argv)
{
    ToolArguments arguments;
    unsigned long showCommand = 0;
    if (!ParseToolArguments(argc, argv, {L"--application", L"--directory", L"--show"}, {}, arguments) ||
        arguments.positional.size() != 1 || !NumberOption(arguments, L"--show", SW_SHOWDEFAULT, showCommand)) {
        WriteStdout("usage: starter.exe [--application PATH] [--directory DIR] [--show SW] COMMAND_LINE_FILE\n");
        return BadRequestExitCode;
    }
    std::string commandLineBytes;
    std::wstring commandLineText;
    if (!ReadFileBytes(arguments.positional[0], commandLineBytes) || !Utf8ToWide(commandLineBytes, commandLineText)) {
        WriteStdout("starter: cannot read the command-line file as UTF-8\n");
        return BadRequestExitCode;
    }

    std::vector<wchar_t> commandLine(commandLineText.begin(), commandLineText.end());
    commandLine.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (arguments.options.count(L"--show")) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(showCommand);
    }
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(OptionalText(arguments, L"--application"), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
            OptionalText(arguments, L"--directory"), &startup, &process)) {
        WriteStdout("{\"started\":false,\"error\":" + std::to_string(GetLastError()) + "}\n");
        return StartFailedExitCode;
    }
    const OwnedKernelHandle processHandle(process.hProcess);
    const OwnedKernelHandle threadHandle(process.hThread);
    WriteStdout("{\"started\":true,\"process_id\":" + std::to_string(process.dwProcessId) + "}\n");

    WaitForSingleObject(processHandle.Get(), INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(processHandle.Get(), &exitCode);
    WriteStdout("{\"exit_code\":" + std::to_string(exitCode) + "}\n");
    return static_cast<int>(exitCode);
}
