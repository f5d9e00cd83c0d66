// Helpers for the settings-class tests: documents as plain lists of
// (section, key, value), which GoogleTest can compare and print.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "IniFile.h"

using Triple = std::array<std::string, 3>;
using Triples = std::vector<Triple>;

inline Triples EntriesOf(const CIniFile& ini)
{
    Triples triples;
    for (const IniEntry* entry : ini.Entries())
        triples.push_back({entry->section, entry->key, entry->value});
    return triples;
}

inline std::vector<std::string> SectionsOf(const CIniFile& ini)
{
    return {ini.Sections().begin(), ini.Sections().end()};
}
