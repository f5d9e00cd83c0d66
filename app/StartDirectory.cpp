#include "StartDirectory.h"

std::wstring FolderNotEnteredText(const std::wstring& folder)
{
    std::wstring text = L"Cannot open the launcher's folder:\n";
    text += folder;
    return text;
}
