// The choice between window mode, game launch and the quiet exit.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Splits the process's command line into `tokens` and runs the chosen mode.
// Returns the exit code; the game launch does not return.
int RunChosenMode(HINSTANCE instance, int showCommand, std::vector<std::wstring>& tokens);
