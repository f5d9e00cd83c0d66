#include "LookupIndex.h"

#include "IniText.h"

namespace {

std::string Folded(const std::string& name)
{
    std::string folded = name;
    for (char& byte : folded)
        byte = static_cast<char>(ini::FoldAscii(static_cast<unsigned char>(byte)));
    return folded;
}

// A name as a C-string argument carries it: up to the first zero byte.
std::string AsArgument(const std::string& name) { return name.substr(0, name.find('\0')); }

// The table key of an entry: its exact section name, length first so that no
// section and key run into each other, then its folded key.
std::string EntryKey(const std::string& section, const std::string& foldedKey)
{
    return std::to_string(section.size()) + ":" + section + foldedKey;
}

}  // namespace

LookupIndex::LookupIndex(const CIniFile& document) : m_document(document)
{
    const std::vector<std::string>& sections = document.Sections();
    for (std::size_t i = 0; i < sections.size(); ++i) {
        m_firstSection.emplace(Folded(sections[i]), i);
        m_firstSectionNamed.emplace(sections[i], i);
    }
    const std::vector<IniEntry*>& entries = document.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        m_firstEntry.emplace(EntryKey(entries[i]->section, Folded(entries[i]->key)), i);
        m_sectionsWithEntries.insert(entries[i]->section);
    }
}

std::size_t LookupIndex::FirstSectionLike(const std::string& name) const
{
    const auto found = m_firstSection.find(Folded(name));
    return found != m_firstSection.end() ? found->second : m_document.Sections().size();
}

std::size_t LookupIndex::FirstSectionNamed(const std::string& name) const
{
    const auto found = m_firstSectionNamed.find(name);
    return found != m_firstSectionNamed.end() ? found->second : m_document.Sections().size();
}

std::size_t LookupIndex::ChosenSection(const std::string& name) const { return FirstSectionLike(AsArgument(name)); }

std::size_t LookupIndex::FoundEntry(const std::string& section, const std::string& key) const
{
    const std::size_t chosen = ChosenSection(section);
    if (chosen == m_document.Sections().size())
        return m_document.Entries().size();
    const auto found = m_firstEntry.find(EntryKey(m_document.Sections()[chosen], Folded(AsArgument(key))));
    return found != m_firstEntry.end() ? found->second : m_document.Entries().size();
}

bool LookupIndex::HasEntries(const std::string& section) const { return m_sectionsWithEntries.count(section) != 0; }
