// The first steps of every run: working directory and the settings of ServerInfo.ini.
#pragma once

class CIniFile;

// Makes the launcher's own directory the working directory, so that every file
// name that follows is relative to it.
void SetWorkingDirectoryToModule();

// Loads ServerInfo.ini into `settings` and fills the launch URL and the window
// caption from it; missing values keep the built-in defaults.
void ReadServerSettings(CIniFile& settings);
