// One settings file read the way the launcher reads it: CIniFile::Load of the
// path, plus the bytes that load read and where each item stands in them, for
// messages that name lines.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "IniFile.h"
#include "ItemPlaces.h"
#include "LineIndex.h"
#include "LookupIndex.h"

// TooLarge: loaded here, but more than the 32-bit launcher can load, so that for
// it there is no file (see SetAsideText).
enum class FileState { Loaded, Empty, Missing, Unreadable, TooLarge };

struct SettingsFile {
    std::string path;
    FileState state = FileState::Missing;
    std::string problem;  // why an unreadable (or too large) file could not be read
    std::string bytes;    // exactly the text the document was parsed from
    // Mutable because lookups move its current section, which nothing here
    // relies on between calls.
    mutable CIniFile document;
    std::vector<ItemPlace> places;
    std::unique_ptr<LineIndex> lines;
    std::unique_ptr<LookupIndex> lookups;
    // Where in `places` each header and each entry stands, or npos.
    std::vector<std::size_t> headerPlaces;
    std::vector<std::size_t> entryPlaces;

    // The line of an item, or 0 when its text was not found.
    int LineOfHeader(std::size_t section) const;
    int LineOfEntry(std::size_t entry) const;
    const ItemPlace* PlaceOfEntry(std::size_t entry) const;
    const ItemPlace* PlaceOfHeader(std::size_t section) const;
    // The entry whose value text `value` is, as GetString returned it; the
    // number of entries for null.
    std::size_t EntryOfValue(const char* value) const;
    // The entry that the lookup of an entry's own section and key, ignoring
    // case as the launcher's lookups do, finds; the number of entries for none.
    std::size_t EntryFoundFor(std::size_t entry) const;
    // The first header whose name equals this one's ignoring case.
    std::size_t FirstHeaderLike(std::size_t section) const;
};

// Reads `path` into `file` with one CIniFile::Load. A missing file is a state,
// not a failure; a file that exists but cannot be loaded (not a regular file,
// no permission, too large, changing while read) is Unreadable, with the
// reason in `problem`.
void ReadSettingsFile(const std::string& path, SettingsFile& file);

// Makes a loaded file TooLarge, with `problem` saying why: its entries and
// bytes go, as they do for the launcher, which then reads no setting from it.
void SetAsideText(SettingsFile& file, const std::string& problem);

// A one-line reason for a failed file operation with the C library's error
// number `error`, the same text on every platform.
std::string FileProblem(int error);
