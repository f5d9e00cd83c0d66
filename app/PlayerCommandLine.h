// The command line the game launch gives the player. Portable: no Windows header.
#pragma once

#include <string>

// The quoted player name, two spaces, "Launch", the fixed argument block, the
// launch URL as it stands (unquoted, possibly empty) and "facebook", separated
// by single spaces.
std::wstring ComposePlayerCommandLine(const std::wstring& launchUrl);
