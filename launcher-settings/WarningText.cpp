#include "WarningText.h"

#include "VisibleText.h"

namespace {

const std::size_t kExcerptBytes = 60;

const char kBlanks[] = " \t";

std::string BlankName(char blank) { return blank == ' ' ? "a space" : "a tab"; }

bool IsBlank(char byte) { return byte == ' ' || byte == '\t'; }

}  // namespace

std::string Excerpt(const std::string& bytes)
{
    if (bytes.size() <= kExcerptBytes)
        return QuotedBytes(bytes);
    return QuotedBytes(bytes.substr(0, kExcerptBytes)) + "...";
}

bool HoldsLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

std::string LastLine(const std::string& bytes)
{
    const std::size_t lastBreak = bytes.find_last_of("\r\n");
    return lastBreak == std::string::npos ? bytes : bytes.substr(lastBreak + 1);
}

std::string UnmatchableReason(const std::string& name)
{
    if (name.empty())
        return "";
    if (IsBlank(name.front()))
        return "begins with " + BlankName(name.front());
    if (IsBlank(name.back()))
        return "ends in " + BlankName(name.back());
    for (const char c : name) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            return "holds the control byte " + VisibleBytes(std::string(1, c));
    }
    return "";
}

std::string Trimmed(const std::string& name)
{
    const std::size_t first = name.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return "";
    return name.substr(first, name.find_last_not_of(kBlanks) - first + 1);
}

std::string LineText(int line) { return line > 0 ? "line " + std::to_string(line) : "an unknown line"; }
