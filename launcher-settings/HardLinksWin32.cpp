#include "HardLinks.h"

#include <windows.h>

#include "OwnedHandle.h"

int OtherHardLinks(const std::string& path)
{
    // Opened for no access at all, which any sharing the file has allows.
    const OwnedFileHandle file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return 0;
    BY_HANDLE_FILE_INFORMATION information;
    const bool known = GetFileInformationByHandle(file.Get(), &information) != 0;
    return known && information.nNumberOfLinks > 1 ? static_cast<int>(information.nNumberOfLinks - 1) : 0;
}
