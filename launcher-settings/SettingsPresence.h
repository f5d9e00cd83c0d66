// Whether a settings file and its section are there for the launcher's
// lookups, with the warnings when they are not; shared by the checks of both
// files.
#pragma once

#include <cstddef>
#include <string>

#include "IniFile.h"
#include "SettingsFile.h"
#include "SettingsWarning.h"

// The warning for a settings file that is missing, empty or too large for the
// launcher, if it is; `effect` says what the launcher does without it.
bool CheckFilePresent(const SettingsFile& file, const std::string& name, const std::string& effect,
                      const std::string& fix, SettingsWarnings& warnings);

// The warning for a loaded settings file without `section`, if it lacks it;
// `effect` says what the launcher then does. True when a lookup finds the section.
bool CheckSectionPresent(const SettingsFile& file, const std::string& name, const std::string& section,
                         const std::string& effect, const std::string& fix, SettingsWarnings& warnings);

// The index of the section a lookup ignoring case chooses for `section`, or
// the number of sections when there is none.
std::size_t ChosenSection(CIniFile& document, const std::string& section);

// Whether a lookup ignoring case finds `section`.
bool HasSection(CIniFile& document, const std::string& section);
