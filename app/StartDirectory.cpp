#include "StartDirectory.h"

std::wstring FolderNotEnteredText(const std::wstring& folder)
{
    return L"Cannot open the launcher's folder:\n" + folder;
}
