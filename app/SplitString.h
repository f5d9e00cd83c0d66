// Splitting of the command line and the choice of mode. Portable: no Windows header.
#pragma once

#include <string>
#include <vector>

// Appends to `tokens` the pieces of `text` that lie between occurrences of
// `separator`, in order. Pieces are never empty: separators at either end and
// runs of separators yield nothing. Knows no quoting; an empty separator appends
// nothing.
void SplitString(const std::wstring& text, const std::wstring& separator, std::vector<std::wstring>& tokens);

// True only for a token that is exactly "nowindow" (case-sensitive, untrimmed).
bool IsNoWindowArgument(const std::wstring& token);

enum class LaunchMode { Window, Game, QuietExit };

// The mode for the tokens of a command line: fewer than two tokens give window
// mode, a second token "nowindow" the game launch, anything else the quiet exit.
LaunchMode ChooseMode(const std::vector<std::wstring>& tokens);
