// Whole-file reads and writes and standard output, byte for byte.
#pragma once

#include <string>

// Reads the whole file; false when it cannot be opened or read.
bool ReadFileBytes(const std::wstring& path, std::string& bytes);

// Writes `bytes` to a file beside `path` and then moves it over `path`, so that a
// reader polling for `path` sees either nothing or the whole contents.
bool ReplaceFileBytes(const std::wstring& path, const std::string& bytes);

// Appends `bytes` to the file at `path`, which it makes when there is none.
bool AppendFileBytes(const std::wstring& path, const std::string& bytes);

// Writes `bytes` to standard output unchanged (no newline translation).
void WriteStdout(const std::string& bytes);
