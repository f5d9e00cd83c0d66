#include "DialectChecks.h"

#include <cstddef>

#include "VisibleText.h"
#include "WarningText.h"

namespace {

void CheckEntryLookup(const SettingsFile& file, const std::string& name, std::size_t index, SettingsWarnings& warnings)
{
    const CIniFile& document = file.document;
    const IniEntry& entry = *document.Entries()[index];
    const std::size_t found = file.EntryFoundFor(index);
    if (found == index)
        return;
    const int line = file.LineOfEntry(index);
    const std::size_t chosen = file.lookups->ChosenSection(entry.section);
    if (chosen == document.Sections().size()) {
        warnings.push_back({name, line, "entry-outside-section",
                            QuotedBytes(entry.key) + " stands before the first section header, so no lookup finds it",
                            "put the header of its section above it"});
        return;
    }
    // Under a header that an earlier one shadows: reported once for the header.
    if (document.Sections()[chosen] != entry.section || found == document.Entries().size())
        return;
    const IniEntry& first = *document.Entries()[found];
    const std::string firstLine = LineText(file.LineOfEntry(found));
    const bool sameSpelling = first.key == entry.key;
    warnings.push_back({name, line, sameSpelling ? "duplicate-key" : "key-case",
                        (sameSpelling ? "the key " + QuotedBytes(entry.key) + " repeats the one on "
                                      : "the key " + QuotedBytes(entry.key) + " differs only in case from " +
                                            QuotedBytes(first.key) + " on ") +
                            firstLine + ": a lookup finds the value " + Excerpt(first.value) + " there, so " +
                            Excerpt(entry.value) + " is never read",
                        "keep only one of the two lines"});
}

// Reported at the first header of a spelling that an earlier header of another
// spelling shadows, when entries stand under that spelling.
void CheckSectionLookup(const SettingsFile& file, const std::string& name, std::size_t index,
                        SettingsWarnings& warnings)
{
    const std::vector<std::string>& sections = file.document.Sections();
    const std::string& section = sections[index];
    const std::size_t first = file.FirstHeaderLike(index);
    if (sections[first] == section || file.lookups->FirstSectionNamed(section) != index ||
        !file.lookups->HasEntries(section))
        return;
    warnings.push_back({name, file.LineOfHeader(index), "section-case",
                        "the header [" + VisibleBytes(section) + "] differs only in case from [" +
                            VisibleBytes(sections[first]) + "] on " + LineText(file.LineOfHeader(first)) +
                            ": a lookup ignoring case chooses that one, so the entries under this header are not found",
                        "spell the two headers the same, or merge the two sections"});
}

}  // namespace

void CheckLookups(const SettingsFile& file, const std::string& name, SettingsWarnings& warnings)
{
    for (std::size_t i = 0; i < file.document.Sections().size(); ++i)
        CheckSectionLookup(file, name, i, warnings);
    for (std::size_t i = 0; i < file.document.Entries().size(); ++i)
        CheckEntryLookup(file, name, i, warnings);
}
