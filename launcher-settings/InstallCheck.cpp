#include "InstallCheck.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

#include "DialectChecks.h"
#include "InstallNames.h"
#include "VisibleText.h"

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

bool CheckFilePresent(const SettingsFile& file, const std::string& name, const std::string& effect,
                      const std::string& fix, SettingsWarnings& warnings)
{
    if (file.state == FileState::Missing)
        warnings.push_back({name, 0, "file-missing", name + " is missing: " + effect, fix});
    else if (file.state == FileState::Empty)
        warnings.push_back({name, 0, "file-empty", name + " is empty: " + effect, fix});
    else if (file.state == FileState::TooLarge)
        warnings.push_back({name, 0, "file-too-large", name + " " + file.problem,
                            "keep " + name + " to the entries the launcher reads"});
    return file.state == FileState::Loaded;
}

std::size_t ChosenSection(CIniFile& document, const std::string& section)
{
    const std::vector<std::string>& sections = document.Sections();
    if (!document.SelectSection(section.c_str(), true))
        return sections.size();
    return static_cast<std::size_t>(std::find(sections.begin(), sections.end(), document.CurrentSection()) -
                                    sections.begin());
}

bool HasSection(CIniFile& document, const std::string& section)
{
    return ChosenSection(document, section) < document.Sections().size();
}

bool CheckSectionPresent(const SettingsFile& file, const std::string& name, const std::string& section,
                         const std::string& effect, const std::string& fix, SettingsWarnings& warnings)
{
    const bool found = HasSection(file.document, section);
    if (file.state == FileState::Loaded && !found)
        warnings.push_back({name, 0, "section-missing", "there is no [" + section + "] section, " + effect, fix});
    return found;
}

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
