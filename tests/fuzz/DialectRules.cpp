#include "DialectRules.h"

#include <climits>
#include <cstdlib>

namespace fuzz {

namespace {

char Folded(char byte) { return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : byte; }

bool StartsWithLetterOrDigit(const std::string& text)
{
    if (text.empty())
        return false;
    const char first = Folded(text[0]);
    return (first >= '0' && first <= '9') || (first >= 'a' && first <= 'z');
}

bool ReadsBackBare(const std::string& value)
{
    if (!value.empty() && (value[0] == ' ' || value[0] == '"'))
        return false;
    return value.find(';') == std::string::npos && value.find('\r') == std::string::npos &&
           value.find("//") == std::string::npos;
}

}  // namespace

bool SameName(const std::string& a, const std::string& b, bool ignoreCase)
{
    if (a.size() != b.size())
        return false;
    for (std::string::size_type i = 0; i < a.size(); ++i) {
        if (ignoreCase ? Folded(a[i]) != Folded(b[i]) : a[i] != b[i])
            return false;
    }
    return true;
}

int ExpectedInt(const char* text)
{
    const long long number = std::strtoll(text, nullptr, 10);
    return number > INT_MAX ? INT_MAX : number < INT_MIN ? INT_MIN : static_cast<int>(number);
}

bool EntryReadsBack(const std::string& section, const std::string& key, const std::string& value)
{
    const bool keyReadsBack = StartsWithLetterOrDigit(key) && key.find('=') == std::string::npos;
    const bool valueReadsBack = ReadsBackBare(value) || value.find('"') == std::string::npos;
    return keyReadsBack && section.find(']') == std::string::npos && valueReadsBack;
}

}  // namespace fuzz
