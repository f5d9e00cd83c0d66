#include "VisibleText.h"

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

// The escape of a byte that has a short one, or null. Backslash and double
// quote are escaped only inside quotes.
const char* ShortEscape(unsigned char byte, bool inQuotes)
{
    switch (byte) {
    case '\r':
        return "\\r";
    case '\n':
        return "\\n";
    case '\t':
        return "\\t";
    case '\\':
        return inQuotes ? "\\\\" : nullptr;
    case '"':
        return inQuotes ? "\\\"" : nullptr;
    default:
        return nullptr;
    }
}

void AppendHexEscape(std::string& out, const char* hexPrefix, unsigned char byte)
{
    out.append(hexPrefix);
    out.push_back(kHexDigits[byte >> 4]);
    out.push_back(kHexDigits[byte & 0x0F]);
}

// Printable ASCII stays; bytes with a short escape get it; every other byte is
// written as `hexPrefix` and two hex digits.
std::string Escape(const std::string& bytes, const char* hexPrefix, bool inQuotes)
{
    std::string out;
    for (const char c : bytes) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (const char* escape = ShortEscape(byte, inQuotes)) {
            out.append(escape);
        } else if (byte >= 0x20 && byte < 0x7F) {
            out.push_back(c);
        } else {
            AppendHexEscape(out, hexPrefix, byte);
        }
    }
    return out;
}

}  // namespace

std::string VisibleBytes(const std::string& bytes) { return Escape(bytes, "\\x", false); }

std::string QuotedBytes(const std::string& bytes)
{
    std::string quoted(1, '"');
    quoted.append(Escape(bytes, "\\x", true)).push_back('"');
    return quoted;
}

std::string JsonString(const std::string& bytes)
{
    std::string json(1, '"');
    json.append(Escape(bytes, "\\u00", true)).push_back('"');
    return json;
}

std::string VisiblePath(const std::string& path)
{
    std::string out;
    for (const char c : path) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            AppendHexEscape(out, "\\x", byte);
        else
            out.push_back(c);
    }
    return out;
}
