#include "LaunchAddress.h"

#include "IniFile.h"
#include "InstallNames.h"

#include <cstring>

const char kDefaultLaunchUrl[] = LAUNCHER_DEFAULT_LAUNCH_URL;

static_assert(sizeof(kDefaultLaunchUrl) <= kLaunchAddressSize, "the default launch-page URL fits the address buffer");

bool CopyLaunchAddress(const char* text, char (&address)[kLaunchAddressSize])
{
    const std::size_t length = std::strlen(text);
    if (length >= kLaunchAddressSize)
        return false;
    std::memcpy(address, text, length + 1);
    return true;
}

void ChooseLaunchAddress(const char* launchUrl, const char* serverInfoFile, char (&address)[kLaunchAddressSize])
{
    std::memset(address, 0, kLaunchAddressSize);
    if (launchUrl[0] != '\0' && CopyLaunchAddress(launchUrl, address))
        return;
    CopyLaunchAddress(kDefaultLaunchUrl, address);
    CIniFile serverInfo;
    serverInfo.Load(serverInfoFile);
    const char* resourceUrl = serverInfo.GetString(kServerInfoSection, kLaunchUrlKey, true);
    if (resourceUrl)
        CopyLaunchAddress(resourceUrl, address);
}
