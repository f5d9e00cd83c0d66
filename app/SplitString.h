// Splitting of the command line into tokens. Portable: no Windows header.
#pragma once

#include <string>
#include <vector>

// Appends to `tokens` the pieces of `text` that lie between occurrences of
// `separator`, in order. Pieces are never empty: separators at either end and
// runs of separators yield nothing. Knows no quoting; an empty separator appends
// nothing.
void SplitString(const std::wstring& text, const std::wstring& separator, std::vector<std::wstring>& tokens);
