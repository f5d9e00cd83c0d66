// Finding the launcher's own directory from its module path, and naming files
// in it. Portable: no Windows header.
#pragma once

#include <cstddef>
#include <string>

// The module path is read first into a buffer of MAX_PATH characters, which
// most paths fit, and then into larger ones up to the longest path Windows
// hands out, with its terminator.
constexpr std::size_t kFirstModulePathSize = 260;
constexpr std::size_t kLongestModulePath = 32768;

// Reads a text of unknown length through `fill(buffer, size)`, which behaves like
// GetModuleFileNameW: it returns the length it wrote, and a result equal to the
// size (or more) means the text was cut. The buffer grows until the whole text
// fits, up to `largest` characters; an empty string when that is not enough or
// `fill` fails.
template <typename Fill>
std::wstring ReadWholeText(Fill fill, std::size_t firstSize, std::size_t largest)
{
    std::wstring text(firstSize, L'\0');
    for (;;) {
        const std::size_t length = fill(text.data(), text.size());
        if (length == 0)
            return {};
        if (length < text.size()) {
            text.resize(length);
            return text;
        }
        if (text.size() >= largest)
            return {};
        text.assign(text.size() * 2, L'\0');
    }
}

// The directory of a module's full path: everything before the last backslash,
// keeping the backslash of a drive's root ("C:\"), since "C:" alone names the
// drive's current directory. Empty when the path holds no backslash.
std::wstring DirectoryOfModule(const std::wstring& modulePath);

// The full path of `fileName` in `directory`, with one backslash between them
// also when the directory is a drive's root that already ends in one.
std::wstring PathInDirectory(const std::wstring& directory, const std::wstring& fileName);
