// The first steps of every run: working directory and the settings of ServerInfo.ini.
#pragma once

#include <string>

class CIniFile;

// Makes the launcher's own directory the working directory, so that every file
// name that follows is relative to it, and keeps it for InstallDirectory. When
// the directory cannot be entered, tells the user in one message box that names
// it and returns false: start-up then ends without touching any file.
bool EnterLauncherDirectory();

// The launcher's own directory, as EnterLauncherDirectory entered it.
const std::wstring& InstallDirectory();

// Loads ServerInfo.ini into `settings` and fills the launch URL and the window
// caption from it; missing values keep the built-in defaults.
void ReadServerSettings(CIniFile& settings);
