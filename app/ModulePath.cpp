#include "ModulePath.h"

std::wstring DirectoryOfModule(const std::wstring& modulePath)
{
    const std::wstring::size_type lastBackslash = modulePath.rfind(L'\\');
    if (lastBackslash == std::wstring::npos)
        return {};
    const bool driveRoot = lastBackslash == 2 && modulePath[1] == L':';
    return modulePath.substr(0, driveRoot ? lastBackslash + 1 : lastBackslash);
}

std::wstring PathInDirectory(const std::wstring& directory, const std::wstring& fileName)
{
    std::wstring path = directory;
    if (path.empty() || path.back() != L'\\')
        path += L'\\';
    path += fileName;
    return path;
}
