// The check of ServerInfo.ini: what the launcher takes from it and its pitfalls.
#pragma once

#include "InstallSettings.h"
#include "SettingsFile.h"
#include "SettingsWarning.h"

// What ServerInfo.ini gives: launch page, launch URL, caption (counted in
// `settings.codePage`), player command line.
void CheckServerInfo(const SettingsFile& file, InstallSettings& settings, SettingsWarnings& warnings);
