// How many other names a settings file has. A save puts a new file in place of
// the one name it writes, so the file's other hard links keep the old text.
#pragma once

#include <string>

// The number of hard links of the file at `path` besides that one; 0 when it
// has none or cannot be looked at.
int OtherHardLinks(const std::string& path);
