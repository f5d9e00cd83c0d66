#include "ItemPlaces.h"

namespace {

const std::size_t kNone = std::string::npos;

bool TextAt(const std::string& bytes, std::size_t pos, const std::string& text)
{
    return pos <= bytes.size() && bytes.size() - pos >= text.size() && bytes.compare(pos, text.size(), text) == 0;
}

bool EndsBareValue(const std::string& bytes, std::size_t pos)
{
    if (pos >= bytes.size())
        return true;
    const char byte = bytes[pos];
    return byte == ';' || byte == '\r' || (byte == '/' && pos + 1 < bytes.size() && bytes[pos + 1] == '/');
}

// The header `name` standing at `pos`: the opening bracket, the name, then the
// closing bracket or the end of the text.
bool HeaderAt(const std::string& bytes, std::size_t pos, const std::string& name, ItemPlace& place)
{
    if (bytes[pos] != '[' || !TextAt(bytes, pos + 1, name))
        return false;
    const std::size_t close = pos + 1 + name.size();
    if (close < bytes.size() && bytes[close] != ']')
        return false;
    place.start = pos;
    place.end = close;
    return true;
}

// The entry standing at `pos` as the reader took it.
bool EntryAt(const std::string& bytes, std::size_t pos, const IniEntry& entry, ItemPlace& place)
{
    if (!TextAt(bytes, pos, entry.key))
        return false;
    const std::size_t keyEnd = pos + entry.key.size();
    std::size_t valueStart = keyEnd;
    if (keyEnd < bytes.size()) {
        if (bytes[keyEnd] != '=')
            return false;
        valueStart = bytes.find_first_not_of(' ', keyEnd + 1);
        if (valueStart == kNone)
            valueStart = bytes.size();
    }
    const bool quoted = valueStart < bytes.size() && bytes[valueStart] == '"';
    if (quoted)
        ++valueStart;
    if (!TextAt(bytes, valueStart, entry.value))
        return false;
    const std::size_t end = valueStart + entry.value.size();
    if (quoted ? end < bytes.size() && bytes[end] != '"' : !EndsBareValue(bytes, end))
        return false;
    place.start = pos;
    place.keyEnd = keyEnd;
    place.valueStart = valueStart;
    place.end = end;
    place.quoted = quoted;
    return true;
}

// The first place at or after `from` where the item stands, or kNone.
std::size_t FindHeader(const std::string& bytes, std::size_t from, const std::string& name, ItemPlace& place)
{
    for (std::size_t pos = bytes.find('[', from); pos != kNone; pos = bytes.find('[', pos + 1)) {
        if (HeaderAt(bytes, pos, name, place))
            return pos;
    }
    return kNone;
}

std::size_t FindEntry(const std::string& bytes, std::size_t from, const IniEntry& entry, ItemPlace& place)
{
    for (std::size_t pos = bytes.find(entry.key, from); pos != kNone; pos = bytes.find(entry.key, pos + 1)) {
        if (EntryAt(bytes, pos, entry, place))
            return pos;
    }
    return kNone;
}

// The next header or entry to place, searched for again only once the walk has
// passed the place found before.
struct Candidate {
    ItemPlace place;
    std::size_t pos = kNone;
    bool searched = false;
};

}  // namespace

std::vector<ItemPlace> PlaceItems(const std::string& bytes, const CIniFile& document)
{
    const std::vector<std::string>& sections = document.Sections();
    const std::vector<IniEntry*>& entries = document.Entries();
    std::vector<ItemPlace> places;
    std::size_t nextHeader = 0;
    std::size_t nextEntry = 0;
    std::size_t cursor = 0;
    Candidate header;
    Candidate entry;
    for (;;) {
        if (nextHeader < sections.size() && (!header.searched || (header.pos != kNone && header.pos < cursor))) {
            header.place = ItemPlace{true, nextHeader, true, 0, 0, 0, 0, false};
            header.pos = FindHeader(bytes, cursor, sections[nextHeader], header.place);
            header.searched = true;
        }
        if (nextEntry < entries.size() && (!entry.searched || (entry.pos != kNone && entry.pos < cursor))) {
            entry.place = ItemPlace{false, nextEntry, true, 0, 0, 0, 0, false};
            entry.pos = FindEntry(bytes, cursor, *entries[nextEntry], entry.place);
            entry.searched = true;
        }
        const bool headerNext = nextHeader < sections.size() && header.pos != kNone;
        const bool entryNext = nextEntry < entries.size() && entry.pos != kNone;
        if (!headerNext && !entryNext)
            break;
        Candidate& taken = headerNext && (!entryNext || header.pos < entry.pos) ? header : entry;
        places.push_back(taken.place);
        cursor = taken.place.end;
        ++(taken.place.isHeader ? nextHeader : nextEntry);
        taken.searched = false;
    }
    for (; nextHeader < sections.size(); ++nextHeader)
        places.push_back(ItemPlace{true, nextHeader, false, 0, 0, 0, 0, false});
    for (; nextEntry < entries.size(); ++nextEntry)
        places.push_back(ItemPlace{false, nextEntry, false, 0, 0, 0, 0, false});
    return places;
}

ValueEnd EndOfValue(const std::string& bytes, const ItemPlace& entry)
{
    if (entry.end >= bytes.size())
        return entry.quoted ? ValueEnd::MissingQuote : ValueEnd::EndOfText;
    if (entry.quoted)
        return ValueEnd::ClosingQuote;
    switch (bytes[entry.end]) {
    case ';':
        return ValueEnd::Semicolon;
    case '\r':
        return ValueEnd::CarriageReturn;
    default:
        return ValueEnd::DoubleSlash;
    }
}
