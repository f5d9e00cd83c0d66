// A copy of everything a CIniFile shows of its document, for comparing the
// document before and after an operation, or two documents with each other.
#pragma once

#include <string>
#include <tuple>
#include <vector>

#include "IniFile.h"

namespace fuzz {

// Section, key and value of one entry.
using EntryText = std::tuple<std::string, std::string, std::string>;

std::vector<EntryText> EntriesOf(const CIniFile& ini);

struct Snapshot {
    std::vector<std::string> sections;
    std::vector<EntryText> entries;
    std::string currentSection;

    bool operator==(const Snapshot& other) const
    {
        return sections == other.sections && entries == other.entries && currentSection == other.currentSection;
    }
};

Snapshot SnapshotOf(const CIniFile& ini);

}  // namespace fuzz
