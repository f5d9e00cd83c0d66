#include "SettingsFile.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

#include "IniText.h"

namespace {

// The whole file, or false with errno set.
bool ReadBytes(const std::string& path, std::string& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    char chunk[4096];
    std::size_t count;
    while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.append(chunk, count);
    const bool complete = std::ferror(file) == 0;
    std::fclose(file);
    return complete;
}

const ItemPlace* FindPlace(const std::vector<ItemPlace>& places, bool isHeader, std::size_t index)
{
    for (const ItemPlace& place : places) {
        if (place.isHeader == isHeader && place.index == index)
            return place.found ? &place : nullptr;
    }
    return nullptr;
}

}  // namespace

std::string FileProblem(int error)
{
    switch (error) {
    case ENOENT:
        return "no such file or directory";
    case EACCES:
    case EPERM:
        return "permission denied";
    case EISDIR:
        return "it is a directory";
    case EROFS:
        return "read-only file system";
    default:
        return "input/output error";
    }
}

void ReadSettingsFile(const std::string& path, SettingsFile& file)
{
    file.path = path;
    struct stat status;
    if (stat(path.c_str(), &status) != 0) {
        file.state = errno == ENOENT ? FileState::Missing : FileState::Unreadable;
        file.problem = FileProblem(errno);
    } else if (S_ISDIR(status.st_mode)) {
        file.state = FileState::Unreadable;
        file.problem = FileProblem(EISDIR);
    } else if (!ReadBytes(path, file.bytes)) {
        file.state = FileState::Unreadable;
        file.problem = FileProblem(errno);
    } else {
        file.state = file.bytes.empty() ? FileState::Empty : FileState::Loaded;
    }
    // Loaded whatever the state, as the launcher does; a file it cannot read
    // leaves the document empty.
    file.document.Load(path.c_str());
    file.places = PlaceItems(file.bytes, file.document);
    file.lines = std::make_unique<LineIndex>(file.bytes);
}

const ItemPlace* SettingsFile::PlaceOfHeader(std::size_t section) const { return FindPlace(places, true, section); }

const ItemPlace* SettingsFile::PlaceOfEntry(std::size_t entry) const { return FindPlace(places, false, entry); }

int SettingsFile::LineOfHeader(std::size_t section) const
{
    const ItemPlace* place = PlaceOfHeader(section);
    return place != nullptr ? lines->LineOf(place->start) : 0;
}

int SettingsFile::LineOfEntry(std::size_t entry) const
{
    const ItemPlace* place = PlaceOfEntry(entry);
    return place != nullptr ? lines->LineOf(place->start) : 0;
}

std::size_t SettingsFile::EntryOfValue(const char* value) const
{
    const std::vector<IniEntry*>& entries = document.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i]->value.c_str() == value)
            return i;
    }
    return entries.size();
}

std::size_t SettingsFile::EntryFoundFor(std::size_t entry) const
{
    const IniEntry& own = *document.Entries()[entry];
    return EntryOfValue(document.GetString(own.section.c_str(), own.key.c_str(), true));
}

std::size_t SettingsFile::FirstHeaderLike(std::size_t section) const
{
    const std::vector<std::string>& sections = document.Sections();
    const std::string& name = sections[section];
    for (std::size_t earlier = 0; earlier < section; ++earlier) {
        if (ini::NamesEqual(sections[earlier], name.c_str(), name.size(), true))
            return earlier;
    }
    return section;
}
