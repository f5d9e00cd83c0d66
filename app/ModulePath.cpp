#include "ModulePath.h"

std::string DirectoryOfModule(const std::string& modulePath)
{
    const std::string::size_type lastBackslash = modulePath.rfind('\\');
    if (lastBackslash == std::string::npos)
        return {};
    const bool driveRoot = lastBackslash == 2 && modulePath[1] == ':';
    return modulePath.substr(0, driveRoot ? lastBackslash + 1 : lastBackslash);
}
