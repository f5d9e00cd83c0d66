#include "SetSetting.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <utility>
#include <vector>

#include "IniText.h"
#include "ReplaceFile.h"
#include "SettingsFile.h"
#include "VisibleText.h"
#include "WarningText.h"

namespace {

// What a lookup of one section and key gave, to compare before and after.
struct LookupResult {
    std::string section;
    std::string key;
    bool found;
    std::string value;
};

std::vector<LookupResult> LookUpAll(const SettingsFile& file)
{
    const std::vector<IniEntry*>& entries = file.document.Entries();
    std::vector<LookupResult> results;
    results.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::size_t found = file.EntryFoundFor(i);
        const bool isFound = found < entries.size();
        results.push_back({entries[i]->section, entries[i]->key, isFound, isFound ? entries[found]->value : ""});
    }
    return results;
}

bool SameLookup(const LookupResult& result, const SetRequest& request)
{
    return ini::NamesEqual(result.section, request.section.c_str(), request.section.size(), true) &&
           ini::NamesEqual(result.key, request.key.c_str(), request.key.size(), true);
}

// The first lookup, other than the one changed, that reads differently now.
const LookupResult* ChangedLookup(const std::vector<LookupResult>& before, const SettingsFile& after,
                                  const SetRequest& request)
{
    const std::vector<IniEntry*>& entries = after.document.Entries();
    for (const LookupResult& result : before) {
        const std::size_t found = after.lookups->FoundEntry(result.section, result.key);
        const bool same = result.found ? found < entries.size() && result.value == entries[found]->value
                                       : found == entries.size();
        if (!same && !SameLookup(result, request))
            return &result;
    }
    return nullptr;
}

std::string Describe(const LookupResult& result)
{
    return "[" + VisibleBytes(result.section) + "] " + VisibleBytes(result.key);
}

// Why the entry cannot be written so that it reads back, or empty.
std::string UnwritableReason(const SetRequest& request)
{
    if (!ini::IsWritableKey(request.key))
        return "the key must begin with an ASCII letter or digit and hold no \"=\"";
    if (!ini::IsWritableSection(request.section))
        return "the section name must hold no \"]\"";
    if (ini::FormOfValue(request.value) == ini::ValueForm::Unwritable)
        return "the value holds a double quote and also needs double quotes around it (it holds \";\", \"//\" or a CR, "
               "or begins with a space or a double quote), which no line of the file can carry";
    return "";
}

std::string DirectoryOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? "." : slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

// Why saving failed: the error Save left, with the directory named when it is
// the directory that is missing.
std::string SaveProblem(const std::string& path, int error)
{
    struct stat status;
    const std::string directory = DirectoryOf(path);
    if (error == ENOENT && stat(directory.c_str(), &status) != 0)
        return "the directory " + directory + ": " + FileProblem(errno);
    return FileProblem(error);
}

// Puts the file back as it was before a save that did not read back.
bool Restore(const SettingsFile& original)
{
    if (original.state == FileState::Missing)
        return std::remove(original.path.c_str()) == 0;
    ini::Replacement replacement;
    if (!ini::BeginReplace(original.path, replacement))
        return false;
    if (std::fwrite(original.bytes.data(), 1, original.bytes.size(), replacement.file) != original.bytes.size()) {
        ini::AbandonReplace(replacement);
        return false;
    }
    return ini::CommitReplace(replacement);
}

struct Change {
    bool replaced = false;  // an existing entry changed, rather than a new one added
    std::string oldValue;
    std::string notes;  // where the file spells a name otherwise than the request
};

// Sets or adds the entry in memory, where the launcher's lookup would find it.
bool ApplyChange(SettingsFile& file, const SetRequest& request, Change& change)
{
    CIniFile& document = file.document;
    const bool sectionFound = document.SelectSection(request.section.c_str(), true);
    // SetValue compares the section byte for byte, so it is given the header's
    // own spelling, which is also what AddValue must write for the new entry to
    // be found under the header that lookups choose.
    const std::string target = sectionFound ? document.CurrentSection() : request.section;
    if (target != request.section) {
        change.notes += "note: the file spells the section [" + VisibleBytes(target) +
                 "], which a lookup ignoring case chooses; the entry goes there\n";
    }
    const char* existing = sectionFound ? document.GetValue(request.key.c_str(), true) : nullptr;
    if (existing == nullptr)
        return document.AddValue(target.c_str(), request.key.c_str(), request.value.c_str());
    change.replaced = true;
    change.oldValue = existing;
    const std::string& storedKey = document.Entries()[file.EntryOfValue(existing)]->key;
    if (storedKey != request.key)
        change.notes += "note: the file spells the key " + VisibleBytes(storedKey) + "; its spelling stays\n";
    return document.SetValue(target.c_str(), request.key.c_str(), request.value.c_str());
}

}  // namespace

int SetSetting(const SetRequest& request, std::string& out, std::string& err)
{
    const std::string reason = UnwritableReason(request);
    if (!reason.empty()) {
        err += "cannot set " + QuotedBytes(request.key) + ": " + reason + "\n";
        return 2;
    }
    SettingsFile original;
    ReadSettingsFile(request.path, original);
    if (original.state == FileState::Unreadable) {
        err += "cannot read " + request.path + ": " + original.problem + "\n";
        return 2;
    }
    const std::vector<LookupResult> before = LookUpAll(original);
    Change change;
    if (!ApplyChange(original, request, change)) {
        err += "cannot set " + QuotedBytes(request.key) + " in " + request.path + ": the settings class refused the change\n";
        return 1;
    }
    if (!original.document.Save()) {
        const int error = errno;
        err += "cannot write " + request.path + ": " + SaveProblem(request.path, error) + "; the file is unchanged\n";
        return 1;
    }
    SettingsFile after;
    ReadSettingsFile(request.path, after);
    const char* readBack = after.document.GetString(request.section.c_str(), request.key.c_str(), true);
    const LookupResult* changed = ChangedLookup(before, after, request);
    if (readBack == nullptr || request.value != readBack || changed != nullptr) {
        const std::string problem = changed != nullptr ? "saving changed what " + Describe(*changed) + " reads"
                                    : readBack == nullptr ? "the key is not found when the file is read again"
                                                          : "it reads back as " + QuotedBytes(readBack);
        err += "cannot set " + QuotedBytes(request.key) + " in " + request.path + ": " + problem + "; " +
               (Restore(original) ? "the file is as it was\n" : "restoring the file failed\n");
        return 1;
    }
    out += change.notes + request.path + ": [" + VisibleBytes(request.section) + "] " + VisibleBytes(request.key) +
           (change.replaced ? " changed from " + QuotedBytes(change.oldValue) + " to " : " added as ") +
           QuotedBytes(request.value) + "\n";
    return 0;
}
