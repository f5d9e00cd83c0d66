#include "Snapshot.h"

namespace fuzz {

std::vector<EntryText> EntriesOf(const CIniFile& ini)
{
    std::vector<EntryText> entries;
    for (const IniEntry* entry : ini.Entries())
        entries.emplace_back(entry->section, entry->key, entry->value);
    return entries;
}

Snapshot SnapshotOf(const CIniFile& ini) { return {ini.Sections(), EntriesOf(ini), ini.CurrentSection()}; }

}  // namespace fuzz
