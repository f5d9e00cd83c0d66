#include <cstdint>
#include <cstdio>

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
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, ".ini-%08x-", static_cast<unsigned>(hash));
    return prefix;
}

}  // namespace ini
