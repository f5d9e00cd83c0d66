// The settings of an install directory as the launcher takes them from
// ServerInfo.ini and window.ini, and the pitfalls found in both files.
#pragma once

#include <optional>
#include <string>

#include "CodePage.h"
#include "PageCheck.h"
#include "SettingsFile.h"
#include "SettingsWarning.h"
#include "WindowPlacement.h"

struct ScreenSize {
    int width;
    int height;
};

// The screen the window placement is shown for unless another is given.
constexpr ScreenSize kDefaultScreen{1366, 768};

struct InstallSettings {
    std::string launchPage;        // the address window mode opens
    std::string launchPageSource;  // where it comes from, in words
    std::string launchUrl;         // what a game launch passes: resourceURL when shorter than 260 bytes, else empty
    std::string caption;           // the window title, as bytes of the settings file
    std::string captionSource;
    unsigned codePage = kDefaultCodePage;  // the ANSI code page the caption is converted from
    std::size_t captionUnits = 0;          // its length in UTF-16 units after that conversion
    int clientWidth = 0;
    int clientHeight = 0;
    std::string clientSizeSource;
    ScreenSize screen = kDefaultScreen;
    WindowOrigin origin{0, 0};
    std::string playerCommandLine;  // the bytes of the launch URL as they stand in the file
};

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

// What ServerInfo.ini gives: launch page, launch URL, caption (counted in
// `settings.codePage`), player command line.
void CheckServerInfo(const SettingsFile& file, InstallSettings& settings, SettingsWarnings& warnings);

// What window.ini gives: client size and window origin on `settings.screen`.
void CheckWindowSize(const SettingsFile& file, InstallSettings& settings, SettingsWarnings& warnings);

// Sets aside (SetAsideText) a loaded file that the 32-bit launcher cannot load:
// a text of 1 GiB or more, for which it finds no block of memory, or one whose
// entries take more memory than it has. The check then shows what the
// launcher does without the file, and CheckFilePresent warns.
void SetAsideIfTooLarge(SettingsFile& file);

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
