// Byte rules of the INI dialect, shared by the reader, the lookups and the writer.
// Every test works on the ASCII ranges only: bytes of 0x80 and above are never
// letters, digits or space, whatever the C library's locale says.
#pragma once

#include <cstddef>
#include <string>

namespace ini {

inline bool IsAsciiDigit(unsigned char byte) { return byte >= '0' && byte <= '9'; }

inline bool IsAsciiLetter(unsigned char byte)
{
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
}

inline bool IsAsciiAlnum(unsigned char byte) { return IsAsciiDigit(byte) || IsAsciiLetter(byte); }

// Folds A-Z to a-z and leaves every other byte alone.
inline unsigned char FoldAscii(unsigned char byte)
{
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

// Compares a stored name with a caller's name of the given length, byte for byte
// or with ASCII letter case folded.
bool NamesEqual(const std::string& stored, const char* name, std::size_t nameLength, bool ignoreCase);

// The leading decimal number of a text as strtol reads it in base 10 (leading
// white space, one optional sign, digits), clamped to the 32-bit signed range on
// every platform. A text without a number gives 0.
int ParseLeadingInt32(const char* text);

// How an entry has to be written so that reading the file gives it back unchanged.
enum class ValueForm { Bare, Quoted, Unwritable };

// A value is written bare unless the reader would cut or alter it: it holds a
// semicolon, a CR or a pair of slashes, or it begins with a space or a double
// quote. Such a value is written in double quotes, unless it holds a double quote
// itself, which no form of the dialect can carry.
ValueForm FormOfValue(const std::string& value);

// A key reads back only when it begins with an ASCII letter or digit and holds no
// equals sign; a section name only when it holds no closing bracket.
bool IsWritableKey(const std::string& key);
bool IsWritableSection(const std::string& section);

// Appends the lines that a save writes for one entry: a header line when the
// section differs from `previousSection` (which then becomes it), then the
// entry's line; a value that would not read back bare goes in double quotes.
// Lines end in CR LF.
void AppendSavedEntry(std::string& text, const std::string& section, const std::string& key, const std::string& value,
                      std::string& previousSection);

}  // namespace ini
