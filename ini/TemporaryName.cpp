#include <cstdint>

#include "ReplaceFile.h"

namespace ini {

std::string TemporaryPrefix(const std::string& target)
{
    // FNV-1a over the file name alone: the directory is the same for every
    // temporary file of one target.
    const std::size_t slash = target.find_last_of("/\\");
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = nameStart; i < target.size(); ++i) {
        hash ^= static_cast<unsigned char>(target[i]);
        hash *= 16777619u;
    }
    static const char kHexDigits[] = "0123456789abcdef";
    std::string prefix = ".ini-";
    for (int shift = 28; shift >= 0; shift -= 4)
        prefix.push_back(kHexDigits[(hash >> shift) & 0xF]);
    prefix.push_back('-');
    return prefix;
}

}  // namespace ini
