// Checks AddValue and SetValue on fuzz-chosen names and values, then the promise
// of Save: when it accepts the entries, loading the file into a fresh object
// gives the same entries in the same order; when it refuses, the file is as it
// was. Either way no temporary file is left behind.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>
#include <string>

#include "IniFile.h"
#include "ScratchDir.h"

namespace fuzz {

void CheckEdits(CIniFile& ini, FuzzedDataProvider& input);

// `target` is the name, within `dir`, of the file the document saves to.
void CheckSave(CIniFile& ini, const ScratchDir& dir, const std::string& target);

}  // namespace fuzz
