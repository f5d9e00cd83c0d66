#include "SettingsPresence.h"

#include <algorithm>

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
