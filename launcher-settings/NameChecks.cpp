#include "DialectChecks.h"

#include "VisibleText.h"
#include "WarningText.h"

namespace {

// What ended the item before a key that starts on the same line, in words and
// as a problem name; the bytes from `textStart` to the end of the line are the
// text that became the key.
struct TextAfter {
    const char* problem;
    const char* words;
    std::size_t textStart;
    std::size_t removeStart;  // where the fix's deletion starts: a semicolon goes with its text
    bool valueCut;            // the text is the rest of a value cut at "//"
};

TextAfter DescribeTextAfter(const std::string& bytes, const ItemPlace& previous)
{
    if (previous.isHeader)
        return {"text-after-header", "after the header", previous.end + 1, previous.end + 1, false};
    switch (EndOfValue(bytes, previous)) {
    case ValueEnd::Semicolon:
        return {"text-after-semicolon", "after the semicolon", previous.end + 1, previous.end, false};
    case ValueEnd::DoubleSlash:
        return {"text-after-slashes", "after \"//\"", previous.end + 2, previous.end, true};
    default:
        return {"text-after-quote", "after the closing quote", previous.end + 1, previous.end + 1, false};
    }
}

bool StartsAsComment(const std::string& line)
{
    const std::string text = Trimmed(line);
    return text.rfind(";", 0) == 0 || text.rfind("#", 0) == 0 || text.rfind("//", 0) == 0 || text.rfind("/*", 0) == 0;
}

// What the key that took in other text does to lookups.
std::string KeyOutcome(const std::string& key, int lastLine)
{
    if (!HoldsLineBreak(key))
        return "it is read as the key " + QuotedBytes(key);
    return "the key runs on to line " + std::to_string(lastLine) + " as " + Excerpt(key) + ", so a lookup of " +
           QuotedBytes(Trimmed(LastLine(key))) + " does not find it";
}

void CheckKey(const SettingsFile& file, const std::string& name, const ItemPlace& place, const ItemPlace* previous,
              SettingsWarnings& warnings)
{
    const std::string& key = file.document.Entries()[place.index]->key;
    const LineIndex& lines = *file.lines;
    const int line = lines.LineOf(place.start);
    const std::string outcome = KeyOutcome(key, lines.LineOf(place.keyEnd));
    if (previous != nullptr && lines.LineOf(previous->end) == line) {
        const TextAfter after = DescribeTextAfter(file.bytes, *previous);
        const std::string text = file.bytes.substr(after.textStart, lines.LineEnd(place.start) - after.textStart);
        const std::string removed =
            file.bytes.substr(after.removeStart, lines.LineEnd(place.start) - after.removeStart);
        const std::string fix = after.valueCut ? "write the value before it in double quotes"
                                               : "delete " + QuotedBytes(removed) +
                                                     " from this line: nothing after a value or a header is a comment";
        warnings.push_back({name, line, after.problem, "the text " + QuotedBytes(text) + " " + after.words + ": " + outcome, fix});
        return;
    }
    if (HoldsLineBreak(key)) {
        const std::string firstLine = file.bytes.substr(lines.LineStart(place.start),
                                                        lines.LineEnd(place.start) - lines.LineStart(place.start));
        if (StartsAsComment(firstLine)) {
            warnings.push_back({name, line, "comment-read-as-key", "the comment " + QuotedBytes(firstLine) + ": " + outcome,
                                "delete the comment, or make it a \"//\" comment above the first header"});
        } else {
            warnings.push_back({name, line, "line-without-equals", "this line has no \"=\": " + outcome,
                                "delete the line, or give it a value after \"=\""});
        }
        return;
    }
    const std::string reason = UnmatchableReason(key);
    if (!reason.empty()) {
        warnings.push_back({name, line, "key-unmatchable",
                            "the key " + QuotedBytes(key) + " " + reason + ", so a lookup of " + QuotedBytes(Trimmed(key)) +
                                " does not find it",
                            "write it as " + VisibleBytes(Trimmed(key)) + "= with nothing between the name and \"=\""});
    }
}

void CheckSectionName(const SettingsFile& file, const std::string& name, const ItemPlace& place,
                      SettingsWarnings& warnings)
{
    const std::string& section = file.document.Sections()[place.index];
    const LineIndex& lines = *file.lines;
    const int line = lines.LineOf(place.start);
    if (HoldsLineBreak(section)) {
        const std::string reach = place.end >= file.bytes.size() ? "the end of the file"
                                                                  : "line " + std::to_string(lines.LineOf(place.end));
        const std::string meant = section.substr(0, section.find_first_of("\r\n"));
        warnings.push_back({name, line, "header-not-closed",
                            "the header has no \"]\" on its line: the section name runs on to " + reach + " as " +
                                Excerpt(section) + ", and the lines it takes in are not read as entries",
                            "close the header: [" + VisibleBytes(Trimmed(meant)) + "]"});
        return;
    }
    const std::string reason = UnmatchableReason(section);
    if (!reason.empty()) {
        warnings.push_back({name, line, "section-unmatchable",
                            "the section name " + QuotedBytes(section) + " " + reason + ", so a lookup of " +
                                QuotedBytes(Trimmed(section)) + " does not find it",
                            "write the header as [" + VisibleBytes(Trimmed(section)) + "]"});
    }
}

}  // namespace

void CheckNames(const SettingsFile& file, const std::string& name, SettingsWarnings& warnings)
{
    const ItemPlace* previous = nullptr;
    for (const ItemPlace& place : file.places) {
        if (!place.found)
            continue;
        if (place.isHeader)
            CheckSectionName(file, name, place, warnings);
        else
            CheckKey(file, name, place, previous, warnings);
        previous = &place;
    }
}
