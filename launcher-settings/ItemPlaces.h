// Where each section header and entry that CIniFile read stands in the file's
// bytes. CIniFile keeps no positions, so they are found afterwards: walking the
// bytes once, each next item is the earlier of the next header and the next
// entry of the document, found where its text stands exactly as the reader
// took it (a header's name in brackets; an entry's key, "=", the skipped spaces
// and its value, bare up to a byte that ends a bare value, or in quotes).
//
// Only a comment at the top of the file that holds the exact text of a later
// item can be mistaken for it, which places that item on the comment's line.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "IniFile.h"

struct ItemPlace {
    bool isHeader;
    std::size_t index;       // into the document's Sections() or Entries()
    bool found;              // false when the text could not be found; the offsets are then 0
    std::size_t start;       // the opening bracket; the key's first byte
    std::size_t keyEnd;      // entries: the equals sign, or the end of the text
    std::size_t valueStart;  // entries: the value's first byte
    std::size_t end;         // a header's closing bracket; the byte after the value; or the end of the text
    bool quoted;             // entries: the value stands in double quotes
};

// How an entry's value ended.
enum class ValueEnd { EndOfText, Semicolon, CarriageReturn, DoubleSlash, ClosingQuote, MissingQuote };

// Every header and entry of `document`, in the order of the text. Items that
// cannot be found follow, headers before entries, with `found` false.
std::vector<ItemPlace> PlaceItems(const std::string& bytes, const CIniFile& document);

ValueEnd EndOfValue(const std::string& bytes, const ItemPlace& entry);
