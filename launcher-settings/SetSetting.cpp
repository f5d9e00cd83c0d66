#include "SetSetting.h"

#include <cerrno>
#include <sys/stat.h>
#include <utility>
#include <vector>

#include "HardLinks.h"
#include "IniText.h"
#include "RestoreSettingsFile.h"
#include "SettingsFile.h"
#include "SettingsLock.h"
#include "VisibleText.h"
#include "WarningText.h"

namespace {

// How long a `set` waits for another one to finish with the same file.
const int kLockPatienceMs = 30000;

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

// Built by appending, which GCC 12 at -O3 does not misread as an overlapping copy.
std::string Describe(const LookupResult& result)
{
    std::string described(1, '[');
    described.append(VisibleBytes(result.section)).append("] ").append(VisibleBytes(result.key));
    return described;
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
        return "the directory " + VisiblePath(directory) + ": " + FileProblem(errno);
    return FileProblem(error);
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

// The message for a file that exists but cannot be loaded; false for any other.
bool ReportUnreadable(const SettingsFile& file, std::string& err)
{
    if (file.state != FileState::Unreadable)
        return false;
    err += "cannot read " + VisiblePath(file.path) + ": " + file.problem + "\n";
    return true;
}

// The set itself, while this process holds the lock of the file (or the file
// system has no locks): read, change, save, read back.
int SetHoldingLock(const SetRequest& request, const SettingsLock& lock, std::string& notes, std::string& out,
                   std::string& err)
{
    const std::string path = VisiblePath(request.path);
    SettingsFile original;
    ReadSettingsFile(request.path, original);
    if (ReportUnreadable(original, err))
        return 2;
    const std::vector<LookupResult> before = LookUpAll(original);
    Change change;
    if (!ApplyChange(original, request, change)) {
        err += "cannot set " + QuotedBytes(request.key) + " in " + path + ": the settings class refused the change\n";
        return 1;
    }
    const int otherLinks = original.state == FileState::Missing ? 0 : OtherHardLinks(lock.target);
    if (otherLinks > 0) {
        notes += "note: " + path + " has " + std::to_string(otherLinks) +
                 " other hard link(s); the save puts a new file in its place, so they keep the old text\n";
    }
    if (!original.document.Save()) {
        const int error = errno;
        err += "cannot write " + path + ": " + SaveProblem(request.path, error) + "; the file is unchanged\n";
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
        err += "cannot set " + QuotedBytes(request.key) + " in " + path + ": " + problem + "; " +
               RestoreAfterFailedSet(original, SavedText(original.document), lock.target) + "\n";
        return 1;
    }
    out += notes + change.notes + path + ": [" + VisibleBytes(request.section) + "] " + VisibleBytes(request.key) +
           (change.replaced ? " changed from " + QuotedBytes(change.oldValue) + " to " : " added as ") +
           QuotedBytes(request.value) + "\n";
    return 0;
}

}  // namespace

int SetSetting(const SetRequest& request, std::string& out, std::string& err)
{
    const std::string reason = UnwritableReason(request);
    if (!reason.empty()) {
        err += "cannot set " + QuotedBytes(request.key) + ": " + reason + "\n";
        return 2;
    }
    SettingsLock lock;
    const LockState state = LockSettingsFile(request.path, kLockPatienceMs, lock);
    if (state == LockState::Busy || state == LockState::Failed) {
        const int error = errno;
        // A file that cannot be read says so, whether or not it could be locked.
        SettingsFile file;
        ReadSettingsFile(request.path, file);
        if (ReportUnreadable(file, err))
            return 2;
        if (state == LockState::Busy) {
            err += "cannot set " + QuotedBytes(request.key) + " in " + VisiblePath(request.path) +
                   ": another set has held its lock file " + VisiblePath(lock.path) + " for " +
                   std::to_string(kLockPatienceMs / 1000) + " seconds; this one changed nothing\n";
        } else {
            err += "cannot write " + VisiblePath(request.path) + ": " + SaveProblem(request.path, error) +
                   "; the file is unchanged\n";
        }
        return 1;
    }
    std::string notes;
    if (state == LockState::Unsupported) {
        notes += "note: the file system of " + VisiblePath(request.path) +
                 " cannot lock files, so concurrent edits of it are not protected\n";
    }
    const int status = SetHoldingLock(request, lock, notes, out, err);
    UnlockSettingsFile(lock);
    return status;
}
