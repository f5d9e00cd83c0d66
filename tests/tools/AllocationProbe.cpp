// Tries the launcher's allocation functions and error helpers
// (app/NoExceptionRuntime.cpp, linked in as the launcher links it), so that
// tests can see what a failed allocation does in the exe:
//
//   allocprobe.exe new BYTES       new char[BYTES]; prints {"allocated":true}
//   allocprobe.exe nothrow BYTES   new (std::nothrow) char[BYTES]; prints
//                                  {"allocated":true} or {"allocated":false}
//   BYTES is a decimal number or "huge", half the address space, which no
//   process of either bitness can have in one piece.
//   allocprobe.exe too-long        asks a std::wstring for more than its
//                                  largest size
//
// A failure that ends the process prints nothing more; the exit code is then
// the C run-time's for abort (3). Exit code 2: bad arguments.
#include <windows.h>

#include <cstdio>
#include <cstdint>
#include <cwchar>
#include <new>
#include <string>

namespace {

const int BadArgumentsExitCode = 2;

void Say(const char* json)
{
    std::fputs(json, stdout);
    std::fflush(stdout);
}

// The size is read at run time, so the compiler cannot see through the request.
bool ParseBytes(const wchar_t* text, std::size_t& bytes)
{
    if (std::wcscmp(text, L"huge") == 0) {
        bytes = SIZE_MAX / 2;
        return true;
    }
    wchar_t* end = nullptr;
    bytes = static_cast<std::size_t>(std::wcstoull(text, &end, 10));
    return end != text && *end == L'\0';
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    std::size_t bytes = 0;
    if (mode == L"too-long" && argc == 2) {
        Say("{\"asking\":\"too long\"}\n");
        std::wstring text;
        text.reserve(text.max_size() + 1);
        Say("{\"reserved\":true}\n");
        return 0;
    }
    if (argc != 3 || !ParseBytes(argv[2], bytes) || (mode != L"new" && mode != L"nothrow"))
        return BadArgumentsExitCode;
    char* memory = mode == L"new" ? new char[bytes] : new (std::nothrow) char[bytes];
    Say(memory != nullptr ? "{\"allocated\":true}\n" : "{\"allocated\":false}\n");
    delete[] memory;
    return 0;
}
