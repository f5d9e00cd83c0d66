// Checks SelectSection, GetValue, GetString and GetInt against the lookup rules:
// the first header that matches is chosen, and the first entry of exactly that
// section whose key matches is found.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>
#include <string>

#include "IniFile.h"

namespace fuzz {

// What a lookup of one section and key must give on a document.
struct ExpectedLookup {
    bool sectionFound;
    std::string section;  // the current section after the lookup
    const char* value;    // the entry's own value text, or null
};

ExpectedLookup ExpectLookup(const CIniFile& ini, const std::string& section, const std::string& key, bool ignoreCase);

// Looks up names taken from the document's entries and from the input, with and
// without ignoring case, and checks every result.
void CheckLookups(CIniFile& ini, FuzzedDataProvider& input);

}  // namespace fuzz
