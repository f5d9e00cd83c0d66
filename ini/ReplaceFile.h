// Writing a file by way of a temporary file beside it, so that the file is
// replaced whole or not at all.
#pragma once

#include <cstdio>
#include <string>

namespace ini {

// Creates a new, empty file in the target's directory and opens it for binary
// writing. Returns null when no such file can be created.
std::FILE* CreateTemporaryBeside(const std::string& target, std::string& temporaryPath);

// Flushes the temporary file to disk, closes it and puts it in place of the
// target in one step. On any failure the temporary file is removed, the target
// is left as it was, and the result is false.
bool CommitTemporary(std::FILE* file, const std::string& temporaryPath, const std::string& target);

// Closes and removes a temporary file that is not wanted.
void DiscardTemporary(std::FILE* file, const std::string& temporaryPath);

}  // namespace ini
