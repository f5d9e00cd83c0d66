// Settings text made readable. The files are ANSI bytes of an unknown code page,
// so nothing is decoded: control bytes and bytes of 0x80 and above are shown as
// escapes, and JSON carries each such byte as the code point of the same number.
#pragma once

#include <string>

// The bytes with CR, LF and tab as \r, \n and \t, and every other byte below
// 0x20, 0x7F and every byte of 0x80 and above as \xNN (two upper-case hex digits).
std::string VisibleBytes(const std::string& bytes);

// The same in double quotes, with a backslash and a double quote inside
// written as \\ and \".
std::string QuotedBytes(const std::string& bytes);

// The bytes as a JSON string literal, quotes included, in plain ASCII: CR, LF,
// tab, backslash and double quote as above, every other control byte, 0x7F and
// every byte of 0x80 and above as \u00NN. A reader gets the original bytes back
// by encoding the decoded string as Latin-1.
std::string JsonString(const std::string& bytes);

// A path as messages and reports show it: every control byte (below 0x20, and
// 0x7F) as \xNN, every other byte as it is, so that a name holding a line break
// cannot pass for two lines. No short escapes, since the backslashes of Windows
// paths stay as they are.
std::string VisiblePath(const std::string& path);
