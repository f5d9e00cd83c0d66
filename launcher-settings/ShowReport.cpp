#include "ShowReport.h"

#include "VisibleText.h"
#include "WarningText.h"

namespace {

std::string LineColumn(const SettingsFile& file, const ItemPlace& place)
{
    const std::string number = place.found ? std::to_string(file.lines->LineOf(place.start)) : "?";
    return std::string(number.size() < 5 ? 5 - number.size() : 0, ' ') + number + "  ";
}

std::string Header(const std::string& name)
{
    std::string header(1, '[');
    header.append(VisibleBytes(name)).push_back(']');
    return header;
}

// Where the lookup of a header's name lands when it is not this header.
std::string HeaderNote(const SettingsFile& file, std::size_t index)
{
    const std::vector<std::string>& sections = file.document.Sections();
    const std::size_t chosen = file.FirstHeaderLike(index);
    if (sections[chosen] == sections[index])
        return "";
    return "  (a lookup chooses " + Header(sections[chosen]) + " on " + LineText(file.LineOfHeader(chosen)) + ")";
}

// Which entry the lookup of an entry's own section and key finds, when not it.
std::string EntryNote(const SettingsFile& file, std::size_t index)
{
    const CIniFile& document = file.document;
    const IniEntry& entry = *document.Entries()[index];
    const std::size_t found = file.EntryFoundFor(index);
    if (found == index)
        return "";
    if (found < document.Entries().size())
        return "  (a lookup finds " + LineText(file.LineOfEntry(found)) + ")";
    const std::size_t chosen = file.lookups->ChosenSection(entry.section);
    if (chosen == document.Sections().size())
        return "  (no lookup finds it: it stands before the first header)";
    return "  (no lookup finds it: a lookup chooses " + Header(document.Sections()[chosen]) + ")";
}

}  // namespace

std::string ShowReportText(const SettingsFile& file)
{
    const CIniFile& document = file.document;
    std::string out = VisiblePath(file.path) + ": " + std::to_string(document.Sections().size()) + " section(s), " +
                      std::to_string(document.Entries().size()) + " entry(ies)\n";
    for (const ItemPlace& place : file.places) {
        out += LineColumn(file, place);
        if (place.isHeader) {
            out += Header(document.Sections()[place.index]) + HeaderNote(file, place.index) + "\n";
        } else {
            const IniEntry& entry = *document.Entries()[place.index];
            out += "  " + QuotedBytes(entry.key) + " = " + QuotedBytes(entry.value) + EntryNote(file, place.index) + "\n";
        }
    }
    return out;
}
