#include "ModeChoice.h"

#include "LaunchGame.h"
#include "LaunchMode.h"
#include "LauncherGlobals.h"
#include "MainWindow.h"
#include "SplitString.h"

int RunChosenMode(HINSTANCE instance, int showCommand, std::vector<std::wstring>& tokens)
{
    SplitString(GetCommandLineW(), L" ", tokens);
    switch (ChooseMode(tokens)) {
    case LaunchMode::Window:
        return RunWindowMode(instance, showCommand, {g_windowCaption, g_launchUrl});
    case LaunchMode::Game:
        LaunchGame();
    case LaunchMode::QuietExit:
        break;
    }
    return 0;
}
