// One settings file read the way the launcher reads it: CIniFile::Load of the
// path, plus the file's bytes and where each item stands in them, for messages
// that name lines.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "IniFile.h"
#include "ItemPlaces.h"
#include "LineIndex.h"

enum class FileState { Loaded, Empty, Missing, Unreadable };

struct SettingsFile {
    std::string path;
    FileState state = FileState::Missing;
    std::string problem;  // why an unreadable file could not be read
    std::string bytes;
    // Mutable because lookups move its current section, which nothing here
    // relies on between calls.
    mutable CIniFile document;
    std::vector<ItemPlace> places;
    std::unique_ptr<LineIndex> lines;

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

// Reads `path` into `file`. A missing file is a state, not a failure; a file
// that exists but cannot be read (a directory, no permission) is Unreadable,
// with the reason in `problem`.
void ReadSettingsFile(const std::string& path, SettingsFile& file);

// A one-line reason for the failure of the last file operation, the same text
// on every platform.
std::string FileProblem(int error);
