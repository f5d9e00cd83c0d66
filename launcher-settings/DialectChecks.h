// Checks of one settings file against the pitfalls of the INI dialect: how the
// bytes are laid out, what the reader made of each entry, and what a lookup that
// ignores case, as the launcher's do, finds.
#pragma once

#include <string>

#include "SettingsFile.h"
#include "SettingsWarning.h"

// A byte-order mark of UTF-16 or UTF-8: the launcher reads bytes in the ANSI
// code page. True for UTF-16, whose text no other check can make sense of.
bool CheckEncoding(const SettingsFile& file, const std::string& name, SettingsWarnings& warnings);

// Line breaks other than CR LF.
void CheckLineBreaks(const SettingsFile& file, const std::string& name, SettingsWarnings& warnings);

// Values cut at "//", and values that run on over several lines.
void CheckValues(const SettingsFile& file, const std::string& name, SettingsWarnings& warnings);

// Keys that took in text of other lines (after a semicolon, a closing quote or
// a header, a comment, a line without "="), and keys or section names that
// hold spaces or control bytes, which no lookup by a plain name matches.
void CheckNames(const SettingsFile& file, const std::string& name, SettingsWarnings& warnings);

// Entries that their own lookup does not find: duplicate keys, keys under a
// header that differs from an earlier one only in case, entries before the
// first header.
void CheckLookups(const SettingsFile& file, const std::string& name, SettingsWarnings& warnings);

// All of the above.
void CheckDialect(const SettingsFile& file, const std::string& name, SettingsWarnings& warnings);
