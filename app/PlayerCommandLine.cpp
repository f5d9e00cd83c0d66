#include "PlayerCommandLine.h"

#include "InstallNames.h"

std::wstring ComposePlayerCommandLine(const std::wstring& launchUrl)
{
    std::wstring line;
    line.append(L"\"")
        .append(kPlayerFileWide)
        .append(L"\" ")
        .append(L" ")
        .append(L"Launch")
        .append(L" ")
        .append(L"Korrin Korrin.dll kt999 1 localversion")
        .append(L" ")
        .append(launchUrl)
        .append(L" ")
        .append(L"facebook");
    return line;
}
