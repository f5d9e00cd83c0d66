// Deterministic settings files for the benchmark: CR LF lines, sections of a
// few to a few dozen keys, values of varied kinds and lengths (numbers, flags,
// words, Windows paths, hashes and URLs in double quotes). Every line is short
// enough for the readers with a line limit, and section and key names are
// unique, so that all readers keep the same entries.
#pragma once

#include <cstddef>
#include <string>

namespace bench {

struct SettingsText {
    std::string text;
    std::size_t entries;
};

// A text of at most `maxBytes` bytes, filled with whole sections and lines.
SettingsText GenerateSettings(std::size_t maxBytes);

}  // namespace bench
