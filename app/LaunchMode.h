// The choice of mode from the command line's tokens. Portable: no Windows header.
#pragma once

#include <string>
#include <vector>

// True only for a token that is exactly "nowindow" (case-sensitive, untrimmed).
bool IsNoWindowArgument(const std::wstring& token);

enum class LaunchMode { Window, Game, QuietExit };

// The mode for the tokens of a command line: fewer than two tokens give window
// mode, a second token "nowindow" the game launch, anything else the quiet exit.
LaunchMode ChooseMode(const std::vector<std::wstring>& tokens);
