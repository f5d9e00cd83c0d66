// The player command line that a game launch would start, as bytes.
#pragma once

#include <string>

// ComposePlayerCommandLine with the launch URL's bytes as they stand: the
// launcher converts them from the system code page, which is not known here, so
// each byte is carried through as one character of the same number.
std::string PlayerCommandLineFor(const std::string& launchUrl);
