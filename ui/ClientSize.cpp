#include "ClientSize.h"

#include "IniFile.h"
#include "InstallNames.h"

ClientSize ClientSizeOf(CIniFile& windowIni)
{
    return {windowIni.GetInt(kWindowSection, kClientWidthKey, true),
            windowIni.GetInt(kWindowSection, kClientHeightKey, true)};
}
