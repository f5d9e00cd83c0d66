#include "HardLinks.h"

#include <sys/stat.h>

int OtherHardLinks(const std::string& path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0 && status.st_nlink > 1 ? static_cast<int>(status.st_nlink - 1) : 0;
}
