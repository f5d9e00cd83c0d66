// One pitfall found in an install's settings: where it is, what the launcher
// makes of it, and how to fix it.
#pragma once

#include <string>
#include <vector>

struct SettingsWarning {
    std::string file;     // the file's name in the install directory, or the address of the launch page
    int line;             // 1-based; 0 when it concerns the whole file (or page)
    std::string problem;  // a stable short name for scripts, such as "value-cut-at-slashes"
    std::string message;  // what is wrong and what the launcher does with it
    std::string fix;      // one line
};

using SettingsWarnings = std::vector<SettingsWarning>;
