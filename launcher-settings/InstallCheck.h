// The settings of an install directory as the launcher takes them from
// ServerInfo.ini and window.ini, and the pitfalls found in both files.
#pragma once

#include <optional>
#include <string>

#include "InstallSettings.h"
#include "PageCheck.h"
#include "SettingsWarning.h"

struct InstallCheck {
    std::string directory;
    InstallSettings settings;
    SettingsWarnings warnings;  // ServerInfo.ini first, then window.ini, each by line, then the page's
    std::optional<PageCheck> page;  // with --page: the launch page as the browser control gets it
};

// Reads the two files in `directory` and fills `check`, with the caption
// counted as converted from `codePage`, which the caller has made sure this
// system knows. False, with a one-line reason in `error`, when the directory or
// a file that exists cannot be read; a missing file is a warning.
bool CheckInstall(const std::string& directory, ScreenSize screen, unsigned codePage, InstallCheck& check,
                  std::string& error);
