#include "SettingsFile.h"

#include <cerrno>
#include <cstdint>
#include <sys/stat.h>

#include "ReadWholeFile.h"

namespace {

const std::size_t kNowhere = static_cast<std::size_t>(-1);

const char kChanged[] = "it changed while it was read; try again";

// Whether the file that `before` describes is still there unchanged, with the
// size `measured`.
bool Unchanged(const std::string& path, const struct stat& before, std::int64_t measured)
{
    struct stat now;
    return stat(path.c_str(), &now) == 0 && now.st_ino == before.st_ino && now.st_size == before.st_size &&
           now.st_mtime == before.st_mtime && static_cast<std::int64_t>(before.st_size) == measured;
}

// Why the file that Load refused cannot be loaded, found by reading it the same
// way once more. False when that read succeeds: the file was missing or empty.
bool LoadProblem(const std::string& path, FileState& state, std::string& problem)
{
    struct stat before;
    const bool measured = stat(path.c_str(), &before) == 0;
    std::unique_ptr<char[]> text;
    const ini::FileRead read = ini::ReadWholeFile(path.c_str(), INT32_MAX, text);
    const std::string size = std::to_string(read.size);
    state = FileState::Unreadable;
    switch (read.failure) {
    case ini::ReadFailure::CannotOpen:
        if (read.error == ENOENT)
            state = FileState::Missing;
        problem = FileProblem(read.error);
        return true;
    case ini::ReadFailure::NotRegularFile: {
        struct stat status;
        problem = stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode)
                      ? FileProblem(EISDIR)
                      : "not a regular file (a FIFO, socket or device), which the launcher cannot read";
        return true;
    }
    case ini::ReadFailure::TooLarge:
        problem = "it is " + size + " bytes, and the launcher's settings reader takes at most 2147483647";
        return true;
    case ini::ReadFailure::NoMemory:
        problem = "there is not enough memory to hold its " + size + " bytes";
        return true;
    case ini::ReadFailure::ReadError:
        problem = FileProblem(read.error);
        return true;
    case ini::ReadFailure::SizeChanged:
        // A file that did not change while it was read, yet held another number
        // of bytes than it measured, is made as it is read (as under /proc and
        // /sys): no read of it can ever match its size.
        problem = measured && Unchanged(path, before, read.size)
                      ? "its size cannot be measured: the system makes its text as it is read (as under /proc and "
                        "/sys), and the launcher loads only a file whose size it can measure"
                      : kChanged;
        return true;
    case ini::ReadFailure::None:
        break;
    }
    if (read.size > 0) {
        problem = kChanged;
        return true;
    }
    state = FileState::Empty;
    return false;
}

// Where each header and entry of the document stands in the bytes, and the
// indexes of lines and lookups.
void IndexItems(SettingsFile& file)
{
    file.places = PlaceItems(file.bytes, file.document);
    file.lines = std::make_unique<LineIndex>(file.bytes);
    file.lookups = std::make_unique<LookupIndex>(file.document);
    file.headerPlaces.assign(file.document.Sections().size(), kNowhere);
    file.entryPlaces.assign(file.document.Entries().size(), kNowhere);
    for (std::size_t i = 0; i < file.places.size(); ++i) {
        const ItemPlace& place = file.places[i];
        if (place.found)
            (place.isHeader ? file.headerPlaces : file.entryPlaces)[place.index] = i;
    }
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
    case ENOTDIR:
        return "a part of the path is not a directory";
    case EROFS:
        return "read-only file system";
    case ELOOP:
        return "too many levels of symbolic links (a link loop)";
    case ENAMETOOLONG:
        return "the name is too long";
    case ENOSPC:
        return "no space left on the device (no free blocks or no free inodes)";
#ifdef EDQUOT
    case EDQUOT:
        return "the disk quota is exceeded";
#endif
    case EFBIG:
        return "the file would be larger than the process may write";
    case EBADF:
        return "it is not open for writing";
    case EPIPE:
        return "the reading end of the pipe is closed";
    case ENOMEM:
        return "not enough memory";
    default:
        return "input/output error";
    }
}

void ReadSettingsFile(const std::string& path, SettingsFile& file)
{
    file.path = path;
    // The bytes are the ones this one load parsed, so that lines and places
    // always match the entries, even while another program rewrites the file.
    if (file.document.Load(path.c_str())) {
        file.state = FileState::Loaded;
        file.bytes.assign(file.document.Text(), static_cast<std::size_t>(file.document.Length()));
    } else {
        LoadProblem(path, file.state, file.problem);
    }
    IndexItems(file);
}

void SetAsideText(SettingsFile& file, const std::string& problem)
{
    file.state = FileState::TooLarge;
    file.problem = problem;
    file.bytes.clear();
    file.document.Clear();
    IndexItems(file);
}

const ItemPlace* SettingsFile::PlaceOfHeader(std::size_t section) const
{
    return headerPlaces[section] != kNowhere ? &places[headerPlaces[section]] : nullptr;
}

const ItemPlace* SettingsFile::PlaceOfEntry(std::size_t entry) const
{
    return entry < entryPlaces.size() && entryPlaces[entry] != kNowhere ? &places[entryPlaces[entry]] : nullptr;
}

int SettingsFile::LineOfHeader(std::size_t section) const
{
    const ItemPlace* place = section < headerPlaces.size() ? PlaceOfHeader(section) : nullptr;
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
    return lookups->FoundEntry(own.section, own.key);
}

std::size_t SettingsFile::FirstHeaderLike(std::size_t section) const
{
    return lookups->FirstSectionLike(document.Sections()[section]);
}
