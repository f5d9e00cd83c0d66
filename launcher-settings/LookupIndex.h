// What the launcher's lookups find in a document (SelectSection and GetString
// with names compared ignoring ASCII case), answered from hash tables built in
// one pass, so that asking it for every entry of a large file stays linear.
// CIniFile itself walks its lists on each lookup, as the launcher does.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "IniFile.h"

class LookupIndex {
public:
    explicit LookupIndex(const CIniFile& document);

    // The first section whose name equals `name` ignoring case, or the number
    // of sections. The whole name counts, zero bytes included.
    std::size_t FirstSectionLike(const std::string& name) const;

    // The first section spelt exactly `name`, or the number of sections.
    std::size_t FirstSectionNamed(const std::string& name) const;

    // What SelectSection(name, true) chooses: the same for the name up to its
    // first zero byte, as the call takes it.
    std::size_t ChosenSection(const std::string& name) const;

    // The entry whose value GetString(section, key, true) returns, or the number
    // of entries. Both names are taken up to their first zero byte.
    std::size_t FoundEntry(const std::string& section, const std::string& key) const;

    // Whether some entry belongs to exactly this section name.
    bool HasEntries(const std::string& section) const;

private:
    const CIniFile& m_document;
    std::unordered_map<std::string, std::size_t> m_firstSection;  // folded name -> first section
    std::unordered_map<std::string, std::size_t> m_firstSectionNamed;  // exact name -> first section
    std::unordered_map<std::string, std::size_t> m_firstEntry;    // section and folded key -> first entry
    std::unordered_set<std::string> m_sectionsWithEntries;
};
