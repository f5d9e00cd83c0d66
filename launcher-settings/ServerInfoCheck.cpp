#include "ServerInfoCheck.h"

#include <cstring>

#include "CaptionLength.h"
#include "InstallNames.h"
#include "LaunchAddress.h"
#include "PlayerLine.h"
#include "SettingsPresence.h"
#include "WindowCaption.h"

namespace {

const char* const kName = kServerInfoFile;
const char* const kSection = kServerInfoSection;
const std::string kHeader = std::string("[") + kSection + "]";
const char kNoUrlEffect[] = "the window opens the default launch page and a game launch passes an empty URL";

std::string FromEntry(const char* key, int line)
{
    return std::string(key) + " in " + kName + ", line " + std::to_string(line);
}

// Why the lookup of `key` gives nothing.
std::string Absence(const SettingsFile& file, const char* key)
{
    if (file.state == FileState::Missing)
        return std::string(kName) + " is missing";
    if (file.state == FileState::Empty)
        return std::string(kName) + " is empty";
    if (file.state == FileState::TooLarge)
        return std::string(kName) + " is too large for the launcher";
    if (!HasSection(file.document, kSection))
        return std::string(kName) + " has no " + kHeader + " section";
    return kHeader + " has no " + key;
}

// GetString of `key` in the section, as the launcher calls it. When the section
// is there but the key is not, a warning that says what the launcher does then.
const char* ReadKey(const SettingsFile& file, const char* key, const char* effect, SettingsWarnings& warnings)
{
    const char* value = file.document.GetString(kSection, key, true);
    if (value == nullptr && HasSection(file.document, kSection)) {
        warnings.push_back({kName, file.LineOfHeader(ChosenSection(file.document, kSection)), "key-missing",
                            "the section " + kHeader + " has no " + key + ": " + effect,
                            std::string("add ") + key + "=... under " + kHeader});
    }
    return value;
}

void TakeLaunchUrl(const SettingsFile& file, InstallSettings& settings, SettingsWarnings& warnings)
{
    const char* url = ReadKey(file, kLaunchUrlKey, kNoUrlEffect, warnings);
    const int line = url != nullptr ? file.LineOfEntry(file.EntryOfValue(url)) : 0;
    // The launch URL buffer, filled as start-up fills it.
    char launchUrl[kLaunchAddressSize] = {};
    const bool fits = url != nullptr && CopyLaunchAddress(url, launchUrl);
    if (fits) {
        settings.launchUrl = launchUrl;
        settings.launchPageSource = FromEntry(kLaunchUrlKey, line);
    } else if (url != nullptr) {
        const std::string reason = std::string(kLaunchUrlKey) + " is " + std::to_string(std::strlen(url)) +
                                   " bytes, and values of " + std::to_string(kLaunchAddressSize) +
                                   " bytes or more are ignored";
        warnings.push_back({kName, line, "url-too-long", reason + ": " + kNoUrlEffect,
                            std::string("shorten ") + kLaunchUrlKey + " to at most " + std::to_string(kLaunchAddressSize - 1) + " bytes"});
        settings.launchPageSource = "the default launch page: " + reason;
    } else {
        settings.launchPageSource = "the default launch page: " + Absence(file, kLaunchUrlKey);
    }
    if (fits && url[0] == '\0') {
        warnings.push_back({kName, line, "url-empty",
                            std::string(kLaunchUrlKey) +
                                " is empty: the window opens an empty address and a game launch passes an empty URL",
                            std::string("write the launch page's address in double quotes: ") + kLaunchUrlKey +
                                "=\"http://...\""});
    }
    char address[kLaunchAddressSize];
    ChooseLaunchAddress(settings.launchUrl.c_str(), file.path.c_str(), address);
    settings.launchPage = address;
    settings.playerCommandLine = PlayerCommandLineFor(settings.launchUrl);
}

void TakeCaption(const SettingsFile& file, InstallSettings& settings, SettingsWarnings& warnings)
{
    const char* caption = ReadKey(file, kCaptionKey, "the window has the built-in title", warnings);
    if (caption == nullptr) {
        settings.caption = kBuiltInCaption;
        settings.captionSource = "the built-in title: " + Absence(file, kCaptionKey);
        return;
    }
    const int line = file.LineOfEntry(file.EntryOfValue(caption));
    settings.caption = caption;
    settings.captionSource = FromEntry(kCaptionKey, line);
    const CodePageConverter converter(settings.codePage);
    const CaptionLength length = MeasureCaption(settings.caption, converter);
    const std::string codePage = "code page " + std::to_string(settings.codePage);
    settings.captionUnits = length.units;
    if (length.units <= kLongestCaption)
        return;
    warnings.push_back({kName, line, "caption-too-long",
                        std::string(kCaptionKey) + " is " + std::to_string(length.units) + " UTF-16 units in " + codePage +
                            ": the title keeps " + std::to_string(kLongestCaption) + " at most, so it is cut",
                        std::string("shorten ") + kCaptionKey + " to " + std::to_string(kLongestCaption) + " UTF-16 units in " +
                            codePage});
    settings.caption.resize(length.keptBytes);
    settings.captionSource += ", cut to " + std::to_string(length.keptUnits) + " UTF-16 units";
}

}  // namespace

void CheckServerInfo(const SettingsFile& file, InstallSettings& settings, SettingsWarnings& warnings)
{
    const std::string keys = std::string(kLaunchUrlKey) + " and " + kCaptionKey;
    CheckFilePresent(file, kName, "the window opens the default launch page with the built-in title, and a game launch passes an empty URL",
                     std::string("create ") + kName + " with a " + kHeader + " section holding " + kLaunchUrlKey +
                         "=\"...\" and " + kCaptionKey + "=...",
                     warnings);
    CheckSectionPresent(file, kName, kSection, "so " + keys + " are not read",
                        "put the header " + kHeader + " above " + keys, warnings);
    TakeLaunchUrl(file, settings, warnings);
    TakeCaption(file, settings, warnings);
}
