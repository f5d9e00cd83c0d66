// Putting a settings file back as it was before a set whose save did not read
// back, without ever writing over what another program has written since.
#pragma once

#include <string>

#include "IniFile.h"
#include "SettingsFile.h"

// The text that saving `document` writes.
std::string SavedText(const CIniFile& document);

// Puts the file of `original` back as it was read, but only while it still
// holds exactly `saved`, the text of the set's own save: a file that another
// program has written since is left as it is. A file that did not exist is
// removed at `target`, the end of its path's links, where the save made it;
// the links stay. Returns what became of the file, for the set's message.
std::string RestoreAfterFailedSet(const SettingsFile& original, const std::string& saved, const std::string& target);
