#include "WindowSizeCheck.h"

#include "ClientSize.h"
#include "InstallNames.h"
#include "SettingsPresence.h"
#include "VisibleText.h"

namespace {

const char* const kName = kWindowFile;
const char* const kSection = kWindowSection;
const std::string kHeader = std::string("[") + kSection + "]";

// One side of the client area: the key that gives it and the screen's extent
// on the same axis.
struct Side {
    const char* key;
    const char* extent;  // "width" or "height"
    const char* farEdge;
    int screenExtent;
};

// Where the size the launcher read for one side comes from, and a warning for
// each size that gives no usable window.
void CheckSide(const SettingsFile& file, const Side& side, int size, bool hasSection, SettingsWarnings& warnings,
               std::string& source)
{
    CIniFile& document = file.document;
    const char* text = document.GetString(kSection, side.key, true);
    const std::string key = side.key;
    if (text == nullptr) {
        source += key + " missing";
        if (hasSection) {
            warnings.push_back({kName, file.LineOfHeader(ChosenSection(document, kSection)), "key-missing",
                                "the section " + kHeader + " has no " + key + ": the client " + side.extent + " is 0",
                                "add " + key + "=<pixels> under " + kHeader});
        }
        return;
    }
    const int line = file.LineOfEntry(file.EntryOfValue(text));
    source += key + " line " + std::to_string(line);
    if (size == 0) {
        warnings.push_back({kName, line, "size-zero",
                            key + " reads as 0 from " + QuotedBytes(text) + ": the client area has no " + side.extent,
                            "write the client " + std::string(side.extent) + " in pixels: " + key + "=<pixels>"});
    } else if (size < 0) {
        warnings.push_back({kName, line, "size-negative",
                            key + " is " + std::to_string(size) + ": a negative size leaves no client area",
                            "write the client " + std::string(side.extent) + " in pixels: " + key + "=<pixels>"});
    } else if (size > side.screenExtent) {
        warnings.push_back({kName, line, "size-exceeds-screen",
                            key + " is " + std::to_string(size) + ", more than the screen " + side.extent + " of " +
                                std::to_string(side.screenExtent) + ": the window starts at the screen's edge and reaches past the " +
                                side.farEdge + " one",
                            "make " + key + " at most " + std::to_string(side.screenExtent) +
                                ", or check with the players' screen size (--screen WxH)"});
    }
}

}  // namespace

void CheckWindowSize(const SettingsFile& file, InstallSettings& settings, SettingsWarnings& warnings)
{
    const bool present =
        CheckFilePresent(file, kName, "the client area is 0 x 0, so the window is its title bar alone",
                         std::string("create ") + kName + " with a " + kHeader + " section holding " +
                             kClientWidthKey + "=<pixels> and " + kClientHeightKey + "=<pixels>",
                         warnings);
    const bool hasSection =
        CheckSectionPresent(file, kName, kSection, "so the client area is 0 x 0",
                            "put the header " + kHeader + " above " + kClientWidthKey + " and " + kClientHeightKey,
                            warnings);
    const ScreenSize screen = settings.screen;
    const ClientSize size = ClientSizeOf(file.document);
    settings.clientWidth = size.width;
    settings.clientHeight = size.height;
    std::string source;
    CheckSide(file, {kClientWidthKey, "width", "right", screen.width}, size.width, hasSection, warnings, source);
    source += ", ";
    CheckSide(file, {kClientHeightKey, "height", "bottom", screen.height}, size.height, hasSection, warnings, source);
    settings.clientSizeSource = present                                  ? source + " in " + kName
                                : file.state == FileState::TooLarge ? std::string(kName) + " is too large for the launcher"
                                                                    : std::string(kName) + " is missing or empty";
    settings.origin = PlaceMainWindow(screen.width, screen.height, settings.clientWidth, settings.clientHeight);
    if (settings.origin.y < 0) {
        warnings.push_back({kName, file.LineOfEntry(file.EntryOfValue(file.document.GetString(kSection, kClientHeightKey, true))),
                            "window-above-screen",
                            "the screen is less than 20 pixels taller than the client area, so the window's top edge lies " +
                                std::to_string(-settings.origin.y) + " pixels above the screen",
                            std::string("make ") + kClientHeightKey + " at least 20 pixels smaller than the screen height"});
    }
}
