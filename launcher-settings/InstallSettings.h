// What launcher-settings reports of an install: the settings as the launcher
// takes them from ServerInfo.ini and window.ini, and the screen they are shown
// for. Shared by the checks of both files and the reports.
#pragma once

#include <string>

#include "CodePage.h"
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
