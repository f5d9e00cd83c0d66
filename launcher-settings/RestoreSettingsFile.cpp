#include "RestoreSettingsFile.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

#include "IniText.h"
#include "ReadWholeFile.h"
#include "ReplaceFile.h"

namespace {

// Whether the file holds exactly `text` now.
bool Holds(const std::string& path, const std::string& text)
{
    std::unique_ptr<char[]> bytes;
    const ini::FileRead read = ini::ReadWholeFile(path.c_str(), INT32_MAX, bytes);
    return read.failure == ini::ReadFailure::None && read.size == static_cast<std::int64_t>(text.size()) &&
           std::memcmp(bytes.get(), text.data(), text.size()) == 0;
}

std::string RestoreFailed() { return "restoring the file failed: " + FileProblem(errno); }

}  // namespace

std::string SavedText(const CIniFile& document)
{
    std::string text;
    std::string previousSection;
    for (const IniEntry* entry : document.Entries())
        ini::AppendSavedEntry(text, entry->section, entry->key, entry->value, previousSection);
    return text;
}

std::string RestoreAfterFailedSet(const SettingsFile& original, const std::string& saved, const std::string& target)
{
    const char restored[] = "the file is as it was";
    if (!Holds(original.path, saved))
        return "another program has written the file since this set saved it, so it is left as that program wrote it";
    if (original.state == FileState::Missing)
        return std::remove(target.c_str()) == 0 ? restored : RestoreFailed();
    ini::Replacement replacement;
    if (!ini::BeginReplace(original.path, replacement))
        return RestoreFailed();
    // A failed write leaves the replacement to remove its temporary file.
    if (std::fwrite(original.bytes.data(), 1, original.bytes.size(), replacement.file) != original.bytes.size())
        return RestoreFailed();
    return ini::CommitReplace(replacement) ? restored : RestoreFailed();
}
