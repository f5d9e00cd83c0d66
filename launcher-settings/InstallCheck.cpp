#include "InstallCheck.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

#include "DialectChecks.h"
#include "InstallNames.h"
#include "LoadSizeCheck.h"
#include "ServerInfoCheck.h"
#include "VisibleText.h"
#include "WindowSizeCheck.h"

namespace {

std::string PathIn(const std::string& directory, const char* name)
{
    const bool endsInSeparator = !directory.empty() && (directory.back() == '/' || directory.back() == '\\');
    return directory + (endsInSeparator ? "" : "/") + name;
}

// The dialect checks of one file; false when it exists but cannot be read.
bool CheckFile(const SettingsFile& file, const char* name, std::string& error, SettingsWarnings& warnings)
{
    if (file.state == FileState::Unreadable) {
        error = "cannot read " + VisiblePath(file.path) + ": " + file.problem;
        return false;
    }
    CheckDialect(file, name, warnings);
    return true;
}

}  // namespace

bool CheckInstall(const std::string& directory, ScreenSize screen, unsigned codePage, InstallCheck& check,
                  std::string& error)
{
    struct stat status;
    if (stat(directory.c_str(), &status) != 0) {
        error = "cannot read the install directory " + VisiblePath(directory) + ": " + FileProblem(errno);
        return false;
    }
    if (!S_ISDIR(status.st_mode)) {
        error = "cannot read the install directory " + VisiblePath(directory) + ": not a directory";
        return false;
    }
    check.directory = directory;
    check.settings.screen = screen;
    check.settings.codePage = codePage;
    SettingsFile serverInfo;
    ReadSettingsFile(PathIn(directory, kServerInfoFile), serverInfo);
    SettingsFile window;
    ReadSettingsFile(PathIn(directory, kWindowFile), window);
    SetAsideIfTooLarge(serverInfo);
    SetAsideIfTooLarge(window);
    SettingsWarnings serverWarnings;
    SettingsWarnings windowWarnings;
    if (!CheckFile(serverInfo, kServerInfoFile, error, serverWarnings) ||
        !CheckFile(window, kWindowFile, error, windowWarnings))
        return false;
    CheckServerInfo(serverInfo, check.settings, serverWarnings);
    CheckWindowSize(window, check.settings, windowWarnings);
    // Each file's warnings by line; whole-file warnings (line 0) first.
    for (SettingsWarnings* warnings : {&serverWarnings, &windowWarnings}) {
        std::stable_sort(warnings->begin(), warnings->end(),
                         [](const SettingsWarning& a, const SettingsWarning& b) { return a.line < b.line; });
        check.warnings.insert(check.warnings.end(), warnings->begin(), warnings->end());
    }
    return true;
}
