#include "CodePage.h"

#include <cerrno>
#include <iconv.h>

struct CodePageConverter::State {
    iconv_t converter = reinterpret_cast<iconv_t>(-1);
};

namespace {

// glibc's name for a Windows code page.
std::string IconvName(unsigned codePage)
{
    switch (codePage) {
    case 65001:
        return "UTF-8";
    case 54936:
        return "GB18030";
    default:
        return "CP" + std::to_string(codePage);
    }
}

}  // namespace

CodePageConverter::CodePageConverter(unsigned codePage) : m_state(new State)
{
    m_state->converter = iconv_open("UTF-16LE", IconvName(codePage).c_str());
}

CodePageConverter::~CodePageConverter()
{
    if (Known())
        iconv_close(m_state->converter);
}

bool CodePageConverter::Known() const { return m_state->converter != reinterpret_cast<iconv_t>(-1); }

bool CodePageConverter::Convert(const char* bytes, std::size_t length, std::u16string& units) const
{
    if (!Known())
        return false;
    // No byte of a code page yields more than two UTF-16 units.
    std::string out(length * 4 + 4, '\0');
    char* in = const_cast<char*>(bytes);
    std::size_t inLeft = length;
    char* outNext = out.data();
    std::size_t outLeft = out.size();
    iconv(m_state->converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(m_state->converter, &in, &inLeft, &outNext, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0)
        return false;
    const std::size_t produced = static_cast<std::size_t>(outNext - out.data()) / 2;
    units.resize(produced);
    for (std::size_t i = 0; i < produced; ++i)
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(out[2 * i]) |
                                         static_cast<unsigned char>(out[2 * i + 1]) << 8);
    return true;
}
