// The check of window.ini: the client size the launcher reads, where the window
// goes, and the pitfalls.
#pragma once

#include "InstallSettings.h"
#include "SettingsFile.h"
#include "SettingsWarning.h"

// What window.ini gives: client size and window origin on `settings.screen`.
void CheckWindowSize(const SettingsFile& file, InstallSettings& settings, SettingsWarnings& warnings);
