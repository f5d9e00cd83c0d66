#include "AnsiToWide.h"

#include <cstring>

wchar_t* AnsiToWideInto(const char* text, wchar_t* buffer, int capacity)
{
    // No byte of an ANSI code page yields more than one UTF-16 unit, so handing
    // over at most as many bytes as the buffer has room for cannot overflow it: a
    // longer text comes out cut, never failed and never mixed with an earlier one.
    const std::size_t length = std::strlen(text);
    const std::size_t room = static_cast<std::size_t>(capacity - 1);
    const int count = static_cast<int>(length < room ? length : room);
    const int written = count > 0 ? MultiByteToWideChar(CP_ACP, 0, text, count, buffer, capacity - 1) : 0;
    buffer[written] = L'\0';
    return buffer;
}

wchar_t* AnsiToWide(const char* text)
{
    static wchar_t conversion[4096];
    return AnsiToWideInto(text, conversion, 4096);
}
