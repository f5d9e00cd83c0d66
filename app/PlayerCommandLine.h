// The command line the game launch gives the player. Portable: no Windows header.
#pragma once

#include <cstddef>
#include <string>

// The command-line buffer the player is started with, in wide characters with
// the terminator; the line is cut to fit it. Every launch URL the launch URL
// buffer can hold leaves the line inside it.
constexpr std::size_t kPlayerCommandLineSize = 1024;

// The quoted player name, two spaces, "Launch", the fixed argument block, the
// launch URL as it stands (unquoted, possibly empty) and "facebook", separated
// by single spaces.
std::wstring ComposePlayerCommandLine(const std::wstring& launchUrl);
