#include "SplitString.h"

void SplitString(const std::wstring& text, const std::wstring& separator, std::vector<std::wstring>& tokens)
{
    // With an empty separator the search would match everywhere without moving on.
    if (separator.empty())
        return;
    std::wstring::size_type position = 0;
    for (std::wstring::size_type found = text.find(separator, position); found != std::wstring::npos;
         found = text.find(separator, position)) {
        if (found > position)
            tokens.push_back(text.substr(position, found - position));
        position = found + separator.size();
    }
    if (position < text.size())
        tokens.push_back(text.substr(position));
}
