// The dialect's rules restated for the fuzzer, apart from the class's own code,
// so that the class is checked against them rather than against itself.
#pragma once

#include <string>

namespace fuzz {

// Names compare byte for byte, or with only the ASCII letters folded.
bool SameName(const std::string& a, const std::string& b, bool ignoreCase);

// What GetInt makes of a text: strtol in base 10, clamped to 32 bits.
int ExpectedInt(const char* text);

// Whether an entry can be saved so that it reads back unchanged: the key begins
// with an ASCII letter or digit and holds no equals sign, the section name holds
// no closing bracket, and the value either reads back bare (no semicolon, CR or
// pair of slashes, no leading space or double quote) or holds no double quote,
// so that it can be quoted.
bool EntryReadsBack(const std::string& section, const std::string& key, const std::string& value);

}  // namespace fuzz
