#include "TextConversion.h"

#include <cstdio>

namespace {

void AppendEscape(std::string& out, unsigned codeUnit)
{
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\u%04x", codeUnit);
    out += escape;
}

void AppendUtf8(std::string& out, unsigned codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

bool IsHighSurrogate(unsigned codeUnit) { return codeUnit >= 0xD800 && codeUnit <= 0xDBFF; }
bool IsLowSurrogate(unsigned codeUnit) { return codeUnit >= 0xDC00 && codeUnit <= 0xDFFF; }

}

bool Utf8ToWide(const std::string& bytes, std::wstring& text)
{
    text.clear();
    if (bytes.empty())
        return true;
    int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (length == 0)
        return false;
    text.resize(length);
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), &text[0], length);
    return true;
}

std::string JsonString(const std::wstring& text)
{
    std::string out = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned codeUnit = static_cast<unsigned short>(text[i]);
        if (codeUnit == '"' || codeUnit == '\\') {
            out += '\\';
            out += static_cast<char>(codeUnit);
        } else if (codeUnit < 0x20) {
            AppendEscape(out, codeUnit);
        } else if (IsHighSurrogate(codeUnit) && i + 1 < text.size() && IsLowSurrogate(static_cast<unsigned short>(text[i + 1]))) {
            unsigned low = static_cast<unsigned short>(text[++i]);
            AppendUtf8(out, 0x10000 + ((codeUnit - 0xD800) << 10) + (low - 0xDC00));
        } else if (IsHighSurrogate(codeUnit) || IsLowSurrogate(codeUnit)) {
            AppendEscape(out, codeUnit);
        } else {
            AppendUtf8(out, codeUnit);
        }
    }
    out += '"';
    return out;
}

// JSON text is appended piece by piece rather than joined with operator+: GCC 12
// at -O3 reports a false -Wrestrict for long chains of string concatenations.
std::string JsonRect(const RECT& rect)
{
    std::string out = "[";
    for (const LONG side : {rect.left, rect.top, rect.right, rect.bottom})
        out.append(std::to_string(side)).append(",");
    out.back() = ']';
    return out;
}

std::string JsonBool(bool value)
{
    return value ? "true" : "false";
}

JsonObject& JsonObject::Add(const char* name, const std::string& value)
{
    m_members.append(m_members.empty() ? "\"" : ",\"").append(name).append("\":").append(value);
    return *this;
}

JsonObject& JsonObject::Add(const char* name, unsigned long long number)
{
    return Add(name, std::to_string(number));
}

std::string JsonObject::Text() const
{
    std::string text = "{";
    text.append(m_members).append("}");
    return text;
}
