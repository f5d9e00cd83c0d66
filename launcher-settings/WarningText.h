// Pieces of warning text shared by the checks.
#pragma once

#include <string>

// The bytes made visible and cut to a length that fits a one-line message.
std::string Excerpt(const std::string& bytes);

// True when the text holds a CR or an LF.
bool HoldsLineBreak(const std::string& text);

// The text after the last line break of a name that ran on over several lines:
// the name that was meant.
std::string LastLine(const std::string& bytes);

// Why no lookup by a plain name finds `name` (it begins or ends with a space or
// tab, or holds a control byte), or empty when nothing stands in the way.
std::string UnmatchableReason(const std::string& name);

// The name without spaces and tabs at either end.
std::string Trimmed(const std::string& name);

// "line N", or "an unknown line" for 0.
std::string LineText(int line);
