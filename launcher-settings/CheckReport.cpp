#include "CheckReport.h"

#include "JsonText.h"
#include "PageReport.h"
#include "VisibleText.h"

namespace {

std::string Where(const SettingsWarning& warning)
{
    return warning.line > 0 ? warning.file + ":" + std::to_string(warning.line) : warning.file;
}

std::string Size(int width, int height) { return std::to_string(width) + " x " + std::to_string(height); }

std::string JsonPair(const char* first, int a, const char* second, int b)
{
    return JsonObject({JsonField(first, std::to_string(a)), JsonField(second, std::to_string(b))});
}

std::string WarningJson(const SettingsWarning& warning)
{
    return JsonObject({JsonField("file", JsonString(warning.file)), JsonField("line", std::to_string(warning.line)),
                       JsonField("problem", JsonString(warning.problem)),
                       JsonField("message", JsonString(warning.message)), JsonField("fix", JsonString(warning.fix))});
}

}  // namespace

std::string CheckReportText(const InstallCheck& check)
{
    const InstallSettings& s = check.settings;
    std::string out;
    out += "launch page:     " + VisibleBytes(s.launchPage) + "\n";
    out += "                 from " + s.launchPageSource + "\n";
    out += "window caption:  " + VisibleBytes(s.caption) + "\n";
    out += "                 from " + s.captionSource + "\n";
    out += "                 " + std::to_string(s.captionUnits) + " UTF-16 units in code page " +
           std::to_string(s.codePage) + "\n";
    out += "client size:     " + Size(s.clientWidth, s.clientHeight) + "\n";
    out += "                 from " + s.clientSizeSource + "\n";
    out += "window origin:   " + std::to_string(s.origin.x) + ", " + std::to_string(s.origin.y) + " on a " +
           Size(s.screen.width, s.screen.height) + " screen\n";
    out += "nowindow starts: " + VisibleBytes(s.playerCommandLine) + "\n";
    if (check.page)
        out += PageReportText(*check.page);
    for (const SettingsWarning& warning : check.warnings) {
        out += Where(warning) + ": warning: " + warning.message + "\n";
        out += "  fix: " + warning.fix + "\n";
    }
    out += check.warnings.empty() ? "no warnings\n" : std::to_string(check.warnings.size()) + " warning(s)\n";
    return out;
}

std::string CheckReportJson(const InstallCheck& check)
{
    const InstallSettings& s = check.settings;
    std::string out = "{\n";
    out += "  " + JsonField("directory", JsonString(check.directory)) + ",\n";
    out += "  " + JsonField("launchPage", JsonString(s.launchPage)) + ",\n";
    out += "  " + JsonField("launchPageSource", JsonString(s.launchPageSource)) + ",\n";
    out += "  " + JsonField("launchUrl", JsonString(s.launchUrl)) + ",\n";
    out += "  " + JsonField("caption", JsonString(s.caption)) + ",\n";
    out += "  " + JsonField("captionSource", JsonString(s.captionSource)) + ",\n";
    out += "  " + JsonField("captionUnits", std::to_string(s.captionUnits)) + ",\n";
    out += "  " + JsonField("codePage", std::to_string(s.codePage)) + ",\n";
    out += "  " + JsonField("clientSize", JsonPair("width", s.clientWidth, "height", s.clientHeight)) + ",\n";
    out += "  " + JsonField("clientSizeSource", JsonString(s.clientSizeSource)) + ",\n";
    out += "  " + JsonField("screen", JsonPair("width", s.screen.width, "height", s.screen.height)) + ",\n";
    out += "  " + JsonField("windowOrigin", JsonPair("x", s.origin.x, "y", s.origin.y)) + ",\n";
    out += "  " + JsonField("playerCommandLine", JsonString(s.playerCommandLine)) + ",\n";
    if (check.page)
        out += "  " + JsonField("page", PageReportJson(*check.page)) + ",\n";
    out += "  \"warnings\": [";
    for (std::size_t i = 0; i < check.warnings.size(); ++i)
        out += (i == 0 ? "\n    " : ",\n    ") + WarningJson(check.warnings[i]);
    out += check.warnings.empty() ? "]\n" : "\n  ]\n";
    out += "}\n";
    return out;
}
