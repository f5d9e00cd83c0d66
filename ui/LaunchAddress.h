// Which address the browser pane opens. Portable: no Windows header.
#pragma once

#include <cstddef>

// Size of the address buffer: at most 259 bytes of text and the terminator.
constexpr std::size_t kLaunchAddressSize = 260;

// "http://", the default launch-page server's address, "//launch.php".
extern const char kDefaultLaunchUrl[];

// Copies `text` whole into `address` when it fits with its terminator, and says
// whether it did; a longer text leaves `address` as it was. Start-up fills the
// launch URL buffer from resourceURL this way.
bool CopyLaunchAddress(const char* text, char (&address)[kLaunchAddressSize]);

// Fills `address` with `launchUrl` when it holds text that fits (the launch URL
// buffer never holds more). Otherwise with the default launch-page URL,
// replaced by the resourceURL of section "default" in `serverInfoFile` when that
// value is shorter than 260 bytes, an empty value included; the file is read
// only then.
void ChooseLaunchAddress(const char* launchUrl, const char* serverInfoFile, char (&address)[kLaunchAddressSize]);
