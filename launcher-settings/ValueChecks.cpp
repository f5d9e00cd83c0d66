#include "DialectChecks.h"

#include "VisibleText.h"
#include "WarningText.h"

namespace {

void CheckValue(const SettingsFile& file, const std::string& name, const ItemPlace& place, SettingsWarnings& warnings)
{
    const IniEntry& entry = *file.document.Entries()[place.index];
    const LineIndex& lines = *file.lines;
    const int line = lines.LineOf(place.start);
    const ValueEnd end = EndOfValue(file.bytes, place);
    if (end == ValueEnd::DoubleSlash) {
        // What was meant: the rest of the line, up to a semicolon, without trailing spaces.
        const std::size_t lineEnd = lines.LineEnd(place.valueStart);
        std::string meant = file.bytes.substr(place.valueStart, lineEnd - place.valueStart);
        meant = meant.substr(0, meant.find(';'));
        meant.erase(meant.find_last_not_of(' ') + 1);
        warnings.push_back({name, line, "value-cut-at-slashes",
                            "the value of " + VisibleBytes(entry.key) + " is not in quotes, so it ends at \"//\": it reads as " +
                                QuotedBytes(entry.value),
                            "write the value in double quotes: " + VisibleBytes(entry.key) + "=\"" + VisibleBytes(meant) +
                                "\""});
    }
    if (place.quoted && (end == ValueEnd::MissingQuote || HoldsLineBreak(entry.value))) {
        const std::string reach = end == ValueEnd::MissingQuote
                                      ? "to the end of the file"
                                      : "to line " + std::to_string(lines.LineOf(place.end));
        warnings.push_back({name, line, "quote-not-closed",
                            "the quoted value of " + VisibleBytes(entry.key) + " runs on " + reach + ": it reads as " +
                                Excerpt(entry.value),
                            "close the double quote at the end of the value on this line"});
    } else if (!place.quoted && HoldsLineBreak(entry.value)) {
        warnings.push_back({name, line, "value-runs-on",
                            "the value of " + VisibleBytes(entry.key) + " runs on to line " +
                                std::to_string(lines.LineOf(place.end)) + " past an LF alone: it reads as " +
                                Excerpt(entry.value) + ", and the keys in it are lost",
                            "save the file with Windows (CR LF) line breaks"});
    }
}

}  // namespace

void CheckValues(const SettingsFile& file, const std::string& name, SettingsWarnings& warnings)
{
    for (const ItemPlace& place : file.places) {
        if (place.found && !place.isHeader)
            CheckValue(file, name, place, warnings);
    }
}
