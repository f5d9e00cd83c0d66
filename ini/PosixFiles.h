// File helpers of the POSIX saves that launcher-settings also uses, so that its
// lock file goes where a save's temporary file goes.
#pragma once

#include <string>

namespace ini {

// The file that opening `path` for writing reaches: the end of its chain of
// symbolic links, each relative one taken from the directory of its link. A
// missing end is fine (a save creates it); a loop fails with ELOOP.
bool FollowLinks(const std::string& path, std::string& resolved);

// True when the open file `fd` is the one that `path` names now (not a link
// to it, not a file that has since been renamed away or removed).
bool SameFile(int fd, const std::string& path);

}  // namespace ini
