// libFuzzer entry point for CIniFile. The whole input is the text of a settings
// file: it is loaded from a file and from a string, parsed again, looked up,
// edited and saved, and every result is checked against the dialect's rules.
// The same bytes, read through FuzzedDataProvider, choose the names, values and
// paths of the lookups and edits.
#include <cstddef>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

#include "FuzzCheck.h"
#include "IniFile.h"
#include "LookupChecks.h"
#include "SaveChecks.h"
#include "ScratchDir.h"
#include "Snapshot.h"

namespace {

using fuzz::Require;

const char kDocument[] = "doc.ini";
const char kMissing[] = "missing.ini";

// A text without a zero byte reads the same from a file and from a string.
void CheckStringLoadAgrees(const CIniFile& loaded, const std::string& text)
{
    if (text.find('\0') != std::string::npos)
        return;
    CIniFile fromString;
    Require(fromString.LoadFromString(text.c_str()) == !text.empty(), "LoadFromString parses every non-empty text");
    Require(fuzz::SnapshotOf(fromString) == fuzz::SnapshotOf(loaded), "Load and LoadFromString agree");
}

// Parsing the same text again gives the same sections, keys and values; only
// entries before the first header may change section, since they take the one
// current when parsing starts.
void CheckParseAgain(CIniFile& ini)
{
    const fuzz::Snapshot before = fuzz::SnapshotOf(ini);
    Require(ini.Parse(), "Parse always succeeds");
    const fuzz::Snapshot after = fuzz::SnapshotOf(ini);
    Require(after.sections == before.sections && after.currentSection == before.currentSection &&
                after.entries.size() == before.entries.size(),
            "Parse gives the same sections and entry count again");
    for (std::size_t i = 0; i < after.entries.size(); ++i) {
        Require(std::get<1>(after.entries[i]) == std::get<1>(before.entries[i]) &&
                    std::get<2>(after.entries[i]) == std::get<2>(before.entries[i]),
                "Parse gives the same keys and values again");
    }
}

void CheckFailedLoadKeeps(CIniFile& ini, const std::string& missingPath)
{
    const fuzz::Snapshot before = fuzz::SnapshotOf(ini);
    Require(!ini.Load(missingPath.c_str()), "Load of a missing file fails");
    Require(fuzz::SnapshotOf(ini) == before, "a failed Load keeps the previous document");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const fuzz::ScratchDir dir;
    dir.Empty();
    const std::string text(reinterpret_cast<const char*>(data), size);
    FuzzedDataProvider input(data, size);

    dir.Write(kDocument, text);
    CIniFile loaded;
    Require(loaded.Load(dir.PathOf(kDocument).c_str()) == !text.empty(), "Load reads every non-empty file");
    CheckStringLoadAgrees(loaded, text);
    CheckParseAgain(loaded);
    fuzz::CheckLookups(loaded, input);

    // The document to edit and save: the loaded one saved over its own file, the
    // loaded one saved to a new file after a failed Load, or an empty one.
    CIniFile empty;
    CIniFile* edited = &loaded;
    std::string target = kDocument;
    switch (input.ConsumeIntegralInRange(0, 2)) {
    case 1:
        CheckFailedLoadKeeps(loaded, dir.PathOf(kMissing));
        target = kMissing;
        break;
    case 2:
        CheckFailedLoadKeeps(empty, dir.PathOf(kMissing));
        edited = &empty;
        target = kMissing;
        break;
    default:
        break;
    }
    fuzz::CheckEdits(*edited, input);
    fuzz::CheckSave(*edited, dir, target);
    return 0;
}
