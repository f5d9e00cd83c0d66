#include "PlayerLine.h"

#include "PlayerCommandLine.h"

std::string PlayerCommandLineFor(const std::string& launchUrl)
{
    std::wstring wideUrl;
    for (const char c : launchUrl)
        wideUrl.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    std::string line;
    for (const wchar_t unit : ComposePlayerCommandLine(wideUrl))
        line.push_back(static_cast<char>(unit));
    return line;
}
