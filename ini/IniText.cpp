#include "IniText.h"

#include <climits>
#include <cstdint>
#include <cstring>

namespace ini {

bool NamesEqual(const std::string& stored, const char* name, std::size_t nameLength, bool ignoreCase)
{
    if (stored.size() != nameLength)
        return false;
    if (!ignoreCase)
        return std::memcmp(stored.data(), name, nameLength) == 0;
    for (std::size_t i = 0; i < nameLength; ++i) {
        if (FoldAscii(static_cast<unsigned char>(stored[i])) != FoldAscii(static_cast<unsigned char>(name[i])))
            return false;
    }
    return true;
}

namespace {

// The white space that strtol skips in the "C" locale.
bool IsLeadingSpace(unsigned char byte)
{
    return byte == ' ' || (byte >= '\t' && byte <= '\r');
}

}  // namespace

int ParseLeadingInt32(const char* text)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    while (IsLeadingSpace(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    // Accumulate the magnitude and stop growing it once it is past the range:
    // the digits that follow can only keep it there.
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(INT_MIN) : INT_MAX;
    std::int64_t magnitude = 0;
    for (; IsAsciiDigit(*p); ++p) {
        if (magnitude <= limit)
            magnitude = magnitude * 10 + (*p - '0');
    }
    if (magnitude > limit)
        magnitude = limit;
    return static_cast<int>(negative ? -magnitude : magnitude);
}

ValueForm FormOfValue(const std::string& value)
{
    bool needsQuotes = !value.empty() && (value[0] == ' ' || value[0] == '"');
    bool holdsQuote = false;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char byte = value[i];
        if (byte == ';' || byte == '\r' || (byte == '/' && i + 1 < value.size() && value[i + 1] == '/'))
            needsQuotes = true;
        else if (byte == '"')
            holdsQuote = true;
    }
    if (!needsQuotes)
        return ValueForm::Bare;
    return holdsQuote ? ValueForm::Unwritable : ValueForm::Quoted;
}

bool IsWritableKey(const std::string& key)
{
    return !key.empty() && IsAsciiAlnum(static_cast<unsigned char>(key[0])) &&
           key.find('=') == std::string::npos;
}

bool IsWritableSection(const std::string& section)
{
    return section.find(']') == std::string::npos;
}

void AppendSavedEntry(std::string& text, const std::string& section, const std::string& key, const std::string& value,
                      std::string& previousSection)
{
    if (section != previousSection) {
        previousSection = section;
        text.append("[").append(section).append("]\r\n");
    }
    text.append(key).append("=");
    if (FormOfValue(value) == ValueForm::Quoted)
        text.append("\"").append(value).append("\"");
    else
        text.append(value);
    text.append("\r\n");
}

}  // namespace ini
