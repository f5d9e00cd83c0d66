#include "SaveChecks.h"

#include <algorithm>
#include <vector>

#include "DialectRules.h"
#include "FuzzCheck.h"
#include "LookupChecks.h"
#include "Snapshot.h"

namespace fuzz {

namespace {

// A name for an edit: mostly one the document already has, so that edits hit
// existing entries, otherwise a new one from the input. Cut at a zero byte, as
// the class sees it.
std::string ChooseName(const CIniFile& ini, bool ofSection, std::size_t maxLength, FuzzedDataProvider& input)
{
    const std::vector<IniEntry*>& entries = ini.Entries();
    if (!entries.empty() && input.ConsumeBool()) {
        const IniEntry* entry = entries[input.ConsumeIntegralInRange<std::size_t>(0, entries.size() - 1)];
        return (ofSection ? entry->section : entry->key).c_str();
    }
    return input.ConsumeRandomLengthString(maxLength).c_str();
}

void CheckAdd(CIniFile& ini, const std::string& section, const std::string& key, const std::string& value)
{
    const ExpectedLookup existing = ExpectLookup(ini, section, key, true);
    const bool expectAdded = !existing.sectionFound || existing.value == nullptr;
    std::vector<EntryText> expected = EntriesOf(ini);
    if (expectAdded)
        expected.emplace_back(section, key, value);
    Require(ini.AddValue(section.c_str(), key.c_str(), value.c_str()) == expectAdded,
            "AddValue adds exactly the keys that GetString does not find");
    Require(EntriesOf(ini) == expected, "AddValue appends the new entry at the end");
}

void CheckSet(CIniFile& ini, const std::string& section, const std::string& key, const std::string& value)
{
    std::vector<EntryText> expected = EntriesOf(ini);
    const auto match = std::find_if(expected.begin(), expected.end(), [&](const EntryText& entry) {
        return std::get<0>(entry) == section && SameName(std::get<1>(entry), key, true);
    });
    if (match != expected.end())
        std::get<2>(*match) = value;
    Require(ini.SetValue(section.c_str(), key.c_str(), value.c_str()) == (match != expected.end()),
            "SetValue changes exactly the keys it finds");
    Require(EntriesOf(ini) == expected, "SetValue changes the value of the first match only");
}

bool AllEntriesReadBack(const CIniFile& ini)
{
    return std::all_of(ini.Entries().begin(), ini.Entries().end(), [](const IniEntry* entry) {
        return EntryReadsBack(entry->section, entry->key, entry->value);
    });
}

}  // namespace

void CheckEdits(CIniFile& ini, FuzzedDataProvider& input)
{
    const Snapshot before = SnapshotOf(ini);
    Require(!ini.AddValue(nullptr, "k", "v") && !ini.AddValue("s", nullptr, "v") && !ini.AddValue("s", "k", nullptr) &&
                !ini.SetValue(nullptr, "k", "v") && !ini.SetValue("s", nullptr, "v") && !ini.SetValue("s", "k", nullptr),
            "AddValue and SetValue refuse a null argument");
    Require(SnapshotOf(ini) == before, "a refused null argument changes nothing");

    const int edits = input.ConsumeIntegralInRange(0, 6);
    for (int i = 0; i < edits; ++i) {
        const bool add = input.ConsumeBool();
        const std::string section = ChooseName(ini, true, 24, input);
        const std::string key = ChooseName(ini, false, 24, input);
        const std::string value = input.ConsumeRandomLengthString(48).c_str();
        if (add)
            CheckAdd(ini, section, key, value);
        else
            CheckSet(ini, section, key, value);
    }
}

void CheckSave(CIniFile& ini, const ScratchDir& dir, const std::string& target)
{
    const std::vector<EntryText> entries = EntriesOf(ini);
    const std::optional<std::string> fileBefore = dir.Read(target);
    std::vector<std::string> namesAfter = dir.Names();
    const bool saved = ini.Save();

    Require(saved == AllEntriesReadBack(ini), "Save accepts exactly the entry lists that read back");
    Require(EntriesOf(ini) == entries, "Save leaves the entries alone");
    if (saved) {
        CIniFile reread;
        reread.Load(dir.PathOf(target).c_str());
        Require(EntriesOf(reread) == entries, "a saved file loads back to the same entries in the same order");
        if (!fileBefore)
            namesAfter.push_back(target);
        std::sort(namesAfter.begin(), namesAfter.end());
    } else {
        Require(dir.Read(target) == fileBefore, "a refused Save leaves the file as it was");
    }
    Require(dir.Names() == namesAfter, "Save leaves no temporary file behind");
}

}  // namespace fuzz
