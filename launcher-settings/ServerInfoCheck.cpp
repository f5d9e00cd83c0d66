#include "InstallCheck.h"

#include <cstring>

#include "CaptionLength.h"
#include "LaunchAddress.h"
#include "PlayerLine.h"
#include "WindowCaption.h"

namespace {

const char kName[] = "ServerInfo.ini";
const char kSection[] = "default";
const char kNoUrlEffect[] = "the window opens the default launch page and a game launch passes an empty URL";

std::string BuiltInCaption()
{
    std::string caption;
    for (const wchar_t* unit = kBuiltInCaption; *unit != L'\0'; ++unit)
        caption.push_back(static_cast<char>(*unit));
    return caption;
}

std::string FromEntry(const char* key, int line)
{
    return std::string(key) + " in ServerInfo.ini, line " + std::to_string(line);
}

// Why the lookup of `key` gives nothing.
std::string Absence(const SettingsFile& file, const char* key)
{
    if (file.state == FileState::Missing)
        return "ServerInfo.ini is missing";
    if (file.state == FileState::Empty)
        return "ServerInfo.ini is empty";
    if (file.state == FileState::TooLarge)
        return "ServerInfo.ini is too large for the launcher";
    if (!HasSection(file.document, kSection))
        return "ServerInfo.ini has no [default] section";
    return std::string("[default] has no ") + key;
}

// GetString of `key` in [default], as the launcher calls it. When the section
// is there but the key is not, a warning that says what the launcher does then.
const char* ReadKey(const SettingsFile& file, const char* key, const char* effect, SettingsWarnings& warnings)
{
    const char* value = file.document.GetString(kSection, key, true);
    if (value == nullptr && HasSection(file.document, kSection)) {
        warnings.push_back({kName, file.LineOfHeader(ChosenSection(file.document, kSection)), "key-missing",
                            std::string("the section [default] has no ") + key + ": " + effect,
                            std::string("add ") + key + "=... under [default]"});
    }
    return value;
}

void TakeLaunchUrl(const SettingsFile& file, InstallSettings& settings, SettingsWarnings& warnings)
{
    const char* url = ReadKey(file, "resourceURL", kNoUrlEffect, warnings);
    const int line = url != nullptr ? file.LineOfEntry(file.EntryOfValue(url)) : 0;
    const bool fits = url != nullptr && std::strlen(url) < kLaunchAddressSize;
    if (fits) {
        settings.launchUrl = url;
        settings.launchPageSource = FromEntry("resourceURL", line);
    } else if (url != nullptr) {
        const std::string reason = "resourceURL is " + std::to_string(std::strlen(url)) + " bytes, and values of " +
                                   std::to_string(kLaunchAddressSize) + " bytes or more are ignored";
        warnings.push_back({kName, line, "url-too-long", reason + ": " + kNoUrlEffect,
                            "shorten resourceURL to at most " + std::to_string(kLaunchAddressSize - 1) + " bytes"});
        settings.launchPageSource = "the default launch page: " + reason;
    } else {
        settings.launchPageSource = "the default launch page: " + Absence(file, "resourceURL");
    }
    if (fits && url[0] == '\0') {
        warnings.push_back({kName, line, "url-empty",
                            "resourceURL is empty: the window opens an empty address and a game launch passes an empty URL",
                            "write the launch page's address in double quotes: resourceURL=\"http://...\""});
    }
    char address[kLaunchAddressSize];
    ChooseLaunchAddress(settings.launchUrl.c_str(), file.path.c_str(), address);
    settings.launchPage = address;
    settings.playerCommandLine = PlayerCommandLineFor(settings.launchUrl);
}

void TakeCaption(const SettingsFile& file, InstallSettings& settings, SettingsWarnings& warnings)
{
    const char* caption = ReadKey(file, "ClientWndCaption", "the window has the built-in title", warnings);
    if (caption == nullptr) {
        settings.caption = BuiltInCaption();
        settings.captionSource = "the built-in title: " + Absence(file, "ClientWndCaption");
        return;
    }
    const int line = file.LineOfEntry(file.EntryOfValue(caption));
    settings.caption = caption;
    settings.captionSource = FromEntry("ClientWndCaption", line);
    const CodePageConverter converter(settings.codePage);
    const CaptionLength length = MeasureCaption(settings.caption, converter);
    const std::string codePage = "code page " + std::to_string(settings.codePage);
    settings.captionUnits = length.units;
    if (length.units <= kLongestCaption)
        return;
    warnings.push_back({kName, line, "caption-too-long",
                        "ClientWndCaption is " + std::to_string(length.units) + " UTF-16 units in " + codePage +
                            ": the title keeps " + std::to_string(kLongestCaption) + " at most, so it is cut",
                        "shorten ClientWndCaption to " + std::to_string(kLongestCaption) + " UTF-16 units in " +
                            codePage});
    settings.caption.resize(length.keptBytes);
    settings.captionSource += ", cut to " + std::to_string(length.keptUnits) + " UTF-16 units";
}

}  // namespace

void CheckServerInfo(const SettingsFile& file, InstallSettings& settings, SettingsWarnings& warnings)
{
    CheckFilePresent(file, kName, "the window opens the default launch page with the built-in title, and a game launch passes an empty URL",
                     "create ServerInfo.ini with a [default] section holding resourceURL=\"...\" and ClientWndCaption=...",
                     warnings);
    CheckSectionPresent(file, kName, kSection, "so resourceURL and ClientWndCaption are not read",
                        "put the header [default] above resourceURL and ClientWndCaption", warnings);
    TakeLaunchUrl(file, settings, warnings);
    TakeCaption(file, settings, warnings);
}
