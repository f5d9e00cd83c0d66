// Shows what the settings class reads from the demo install's settings files:
// every section and entry in order, then the values the launcher looks up.
#include <cstdio>
#include <string>

#include "IniFile.h"

int main(int argc, char** argv)
{
    const std::string dir = argc > 1 ? argv[1] : ".";
    for (const char* name : {"ServerInfo.ini", "window.ini"}) {
        CIniFile ini;
        const std::string path = dir + "/" + name;
        std::printf("%s: %s\n", path.c_str(), ini.Load(path.c_str()) ? "loaded" : "not loaded");
        for (const IniEntry* entry : ini.Entries())
            std::printf("  [%s] %s = %s\n", entry->section.c_str(), entry->key.c_str(), entry->value.c_str());
    }
    CIniFile server;
    server.Load((dir + "/ServerInfo.ini").c_str());
    const char* url = server.GetString("default", "resourceURL", true);
    std::printf("launch URL: %s\n", url != nullptr ? url : "(none)");
    CIniFile window;
    window.Load((dir + "/window.ini").c_str());
    std::printf("client size: %d x %d\n", window.GetInt("SYSTEM", "SCREENWIDTH", true),
                window.GetInt("SYSTEM", "SCREENHEIGHT", true));
    return 0;
}
