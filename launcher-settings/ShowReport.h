// The sections and entries of a settings file exactly as CIniFile read them.
#pragma once

#include <string>

#include "SettingsFile.h"

// One line per header and entry, in the order of the text, each with its line
// number: names and values in double quotes with control bytes and bytes of
// 0x80 and above escaped. An item that a lookup ignoring case does not reach
// says which one the lookup finds instead.
std::string ShowReportText(const SettingsFile& file);
