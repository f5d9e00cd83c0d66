#include "CodePage.h"

#include <string>
#include <windows.h>

struct CodePageConverter::State {
    UINT codePage = 0;
    bool known = false;
};

CodePageConverter::CodePageConverter(unsigned codePage) : m_state(new State)
{
    CPINFO info;
    m_state->codePage = codePage;
    m_state->known = GetCPInfo(codePage, &info) != 0;
}

CodePageConverter::~CodePageConverter() = default;

bool CodePageConverter::Known() const { return m_state->known; }

bool CodePageConverter::Convert(const char* bytes, std::size_t length, std::u16string& units) const
{
    units.clear();
    if (!Known() || length > 0x10000000)
        return false;
    if (length == 0)
        return true;
    // No byte of a code page yields more than two UTF-16 units.
    std::wstring out(length * 2, L'\0');
    const int produced = MultiByteToWideChar(m_state->codePage, MB_ERR_INVALID_CHARS, bytes, static_cast<int>(length),
                                             out.data(), static_cast<int>(out.size()));
    if (produced <= 0)
        return false;
    units.assign(out.begin(), out.begin() + produced);
    return true;
}
