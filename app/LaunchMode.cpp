#include "LaunchMode.h"

bool IsNoWindowArgument(const std::wstring& token)
{
    return token == L"nowindow";
}

LaunchMode ChooseMode(const std::vector<std::wstring>& tokens)
{
    if (tokens.size() < 2)
        return LaunchMode::Window;
    return IsNoWindowArgument(tokens[1]) ? LaunchMode::Game : LaunchMode::QuietExit;
}
