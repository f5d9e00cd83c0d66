// The pitfalls that `launcher-settings check` finds, each on a small install
// whose files show just that fault, and the effective settings it prints.
#include "InstallCheck.h"
#include "LoadSizeCheck.h"
#include "WindowSizeCheck.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "LaunchAddress.h"
#include "TempDir.h"
#include "WindowCaption.h"

namespace {

const char kCleanServerInfo[] = "[default]\r\nresourceURL=\"http://10.0.0.1:8080/launch.php?s=1\"\r\nClientWndCaption=Tarnhold Online\r\n";
const char kCleanWindow[] = "[SYSTEM]\r\nWINDOW=1\r\nSCREENWIDTH=1024\r\nSCREENHEIGHT=640\r\n";

// file, line, problem
using Found = std::tuple<std::string, int, std::string>;

struct PitfallCase {
    const char* name;
    std::optional<std::string> serverInfo;  // no file when empty
    std::optional<std::string> window;
    std::vector<Found> found;
};

std::vector<Found> Problems(const InstallCheck& check)
{
    std::vector<Found> found;
    for (const SettingsWarning& warning : check.warnings)
        found.emplace_back(warning.file, warning.line, warning.problem);
    return found;
}

InstallCheck CheckFiles(const TempDir& dir, const std::optional<std::string>& serverInfo,
                        const std::optional<std::string>& window, ScreenSize screen = kDefaultScreen)
{
    if (serverInfo)
        dir.Write("ServerInfo.ini", *serverInfo);
    if (window)
        dir.Write("window.ini", *window);
    InstallCheck check;
    std::string error;
    EXPECT_TRUE(CheckInstall(dir.Path(""), screen, kDefaultCodePage, check, error)) << error;
    return check;
}

void PrintTo(const PitfallCase& c, std::ostream* os) { *os << c.name; }

class PitfallCases : public ::testing::TestWithParam<PitfallCase> {};

TEST_P(PitfallCases, FindsEachPitfallWithItsLine)
{
    const PitfallCase& c = GetParam();
    TempDir dir;
    const InstallCheck check = CheckFiles(dir, c.serverInfo, c.window);
    EXPECT_EQ(Problems(check), c.found);
    for (const SettingsWarning& warning : check.warnings) {
        EXPECT_FALSE(warning.message.empty());
        EXPECT_FALSE(warning.fix.empty());
        EXPECT_EQ(warning.fix.find('\n'), std::string::npos) << "a fix is one line";
    }
}

const std::string kServerHeader = "[default]\r\nClientWndCaption=T\r\n";
// The longest address the launcher takes, and one byte more.
const std::string kLongestUrl = "http://a/" + std::string(kLaunchAddressSize - 1 - 9, 'x');
const std::string kUrlOneByteTooLong = kLongestUrl + "x";
const std::string kWindowHeader = "[SYSTEM]\r\nSCREENWIDTH=1024\r\n";

INSTANTIATE_TEST_SUITE_P(
    Table, PitfallCases,
    ::testing::Values(
        PitfallCase{"CleanInstall", kCleanServerInfo, kCleanWindow, {}},
        PitfallCase{"LfOnlyLineBreaksRunValuesTogether", kCleanServerInfo,
                    "[SYSTEM]\nSCREENWIDTH=1024\nSCREENHEIGHT=640\n",
                    {{"window.ini", 1, "line-breaks-not-crlf"},
                     {"window.ini", 1, "key-missing"},
                     {"window.ini", 2, "value-runs-on"}}},
        PitfallCase{"MixedLineBreaks", kCleanServerInfo, "[SYSTEM]\r\nSCREENWIDTH=1024\nSCREENHEIGHT=640\r\n",
                    {{"window.ini", 1, "key-missing"},
                     {"window.ini", 2, "line-breaks-mixed"},
                     {"window.ini", 2, "value-runs-on"}}},
        PitfallCase{"UnquotedAddressCutAtSlashes", kServerHeader + "resourceURL=http://a.example/x\r\n", kCleanWindow,
                    {{"ServerInfo.ini", 3, "value-cut-at-slashes"}, {"ServerInfo.ini", 3, "text-after-slashes"}}},
        PitfallCase{"CutAddressSwallowsTheNextKey",
                    "[default]\r\nresourceURL=http://a.example/x\r\nClientWndCaption=T\r\n", kCleanWindow,
                    {{"ServerInfo.ini", 1, "key-missing"},
                     {"ServerInfo.ini", 2, "value-cut-at-slashes"},
                     {"ServerInfo.ini", 2, "text-after-slashes"}}},
        PitfallCase{"TextAfterSemicolon", kCleanServerInfo, "[SYSTEM]\r\nWINDOW=1 ;windowed\r\nSCREENWIDTH=1024\r\nSCREENHEIGHT=640\r\n",
                    {{"window.ini", 1, "key-missing"}, {"window.ini", 2, "text-after-semicolon"}}},
        PitfallCase{"TextAfterClosingQuote",
                    "[default]\r\nresourceURL=\"http://a/\" main\r\nClientWndCaption=T\r\n", kCleanWindow,
                    {{"ServerInfo.ini", 1, "key-missing"}, {"ServerInfo.ini", 2, "text-after-quote"}}},
        PitfallCase{"TextAfterHeader", kCleanServerInfo, "[SYSTEM] main window\r\nSCREENWIDTH=1024\r\nSCREENHEIGHT=640\r\n",
                    {{"window.ini", 1, "text-after-header"}, {"window.ini", 1, "key-missing"}}},
        PitfallCase{"SpaceBeforeEqualsSign", kCleanServerInfo, kWindowHeader + "SCREENHEIGHT =640\r\n",
                    {{"window.ini", 1, "key-missing"}, {"window.ini", 3, "key-unmatchable"}}},
        PitfallCase{"SectionNameWithSpaces", kCleanServerInfo, "[ SYSTEM ]\r\nSCREENWIDTH=1024\r\nSCREENHEIGHT=640\r\n",
                    {{"window.ini", 0, "section-missing"}, {"window.ini", 1, "section-unmatchable"}}},
        PitfallCase{"HeaderNotClosed", kCleanServerInfo, "[SYSTEM\r\nSCREENWIDTH=1024\r\nSCREENHEIGHT=640\r\n",
                    {{"window.ini", 0, "section-missing"}, {"window.ini", 1, "header-not-closed"}}},
        PitfallCase{"CommentAfterTheFirstItem", kCleanServerInfo, kWindowHeader + "; height\r\nSCREENHEIGHT=640\r\n",
                    {{"window.ini", 1, "key-missing"}, {"window.ini", 3, "comment-read-as-key"}}},
        PitfallCase{"SemicolonCommentAtTheTop", kCleanServerInfo, ";size\r\n" + std::string(kCleanWindow),
                    {{"window.ini", 0, "section-missing"}, {"window.ini", 1, "comment-read-as-key"},
                     {"window.ini", 1, "entry-outside-section"}, {"window.ini", 4, "entry-outside-section"},
                     {"window.ini", 5, "entry-outside-section"}}},
        PitfallCase{"SlashCommentAtTheTopIsFine", kCleanServerInfo, "// size\r\n" + std::string(kCleanWindow), {}},
        PitfallCase{"LineWithoutEquals", kCleanServerInfo, kWindowHeader + "HEIGHT\r\nSCREENHEIGHT=640\r\n",
                    {{"window.ini", 1, "key-missing"}, {"window.ini", 3, "line-without-equals"}}},
        PitfallCase{"HeadersDifferingInCase", kCleanServerInfo, "[System]\r\nWINDOW=1\r\n[SYSTEM]\r\nSCREENWIDTH=1024\r\nSCREENHEIGHT=640\r\n",
                    {{"window.ini", 1, "key-missing"}, {"window.ini", 1, "key-missing"},
                     {"window.ini", 3, "section-case"}}},
        PitfallCase{"DuplicateKey", kCleanServerInfo, std::string(kCleanWindow) + "SCREENWIDTH=800\r\n",
                    {{"window.ini", 5, "duplicate-key"}}},
        PitfallCase{"KeysDifferingInCase", kCleanServerInfo, std::string(kCleanWindow) + "ScreenWidth=800\r\n",
                    {{"window.ini", 5, "key-case"}}},
        PitfallCase{"QuoteNotClosed", "[default]\r\nresourceURL=\"http://a/\r\nClientWndCaption=T\r\n", kCleanWindow,
                    {{"ServerInfo.ini", 1, "key-missing"}, {"ServerInfo.ini", 2, "quote-not-closed"}}},
        PitfallCase{"UrlOneByteTooLong", kServerHeader + "resourceURL=\"" + kUrlOneByteTooLong + "\"\r\n", kCleanWindow,
                    {{"ServerInfo.ini", 3, "url-too-long"}}},
        PitfallCase{"LongestUrlIsFine", kServerHeader + "resourceURL=\"" + kLongestUrl + "\"\r\n", kCleanWindow, {}},
        PitfallCase{"EmptyUrl", kServerHeader + "resourceURL=\r\n", kCleanWindow, {{"ServerInfo.ini", 3, "url-empty"}}},
        PitfallCase{"Utf16File",
                    std::string("\xFF\xFE[\0d\0e\0f\0a\0u\0l\0t\0]\0\r\0\n\0", 24), kCleanWindow,
                    {{"ServerInfo.ini", 0, "section-missing"}, {"ServerInfo.ini", 1, "file-utf16"}}},
        PitfallCase{"Utf8FileWithByteOrderMark", "\xEF\xBB\xBF" + std::string(kCleanServerInfo), kCleanWindow,
                    {{"ServerInfo.ini", 1, "file-utf8-bom"}}},
        PitfallCase{"CaptionOneUnitTooLong",
                    "[default]\r\nresourceURL=\"http://a/\"\r\nClientWndCaption=" + std::string(kLongestCaption + 1, 'c') + "\r\n",
                    kCleanWindow, {{"ServerInfo.ini", 3, "caption-too-long"}}},
        PitfallCase{"MissingFiles", std::nullopt, std::nullopt,
                    {{"ServerInfo.ini", 0, "file-missing"}, {"window.ini", 0, "file-missing"}}},
        PitfallCase{"EmptyFile", "", kCleanWindow, {{"ServerInfo.ini", 0, "file-empty"}}},
        PitfallCase{"MissingSection", "[server]\r\nresourceURL=\"http://a/\"\r\n", kCleanWindow,
                    {{"ServerInfo.ini", 0, "section-missing"}}},
        PitfallCase{"MissingKeys", "[default]\r\nresourceURL=\"http://a/\"\r\n", "[SYSTEM]\r\nWINDOW=1\r\n",
                    {{"ServerInfo.ini", 1, "key-missing"}, {"window.ini", 1, "key-missing"}, {"window.ini", 1, "key-missing"}}},
        PitfallCase{"ZeroAndNegativeSizes", kCleanServerInfo, "[SYSTEM]\r\nSCREENWIDTH=abc\r\nSCREENHEIGHT=-20\r\n",
                    {{"window.ini", 2, "size-zero"}, {"window.ini", 3, "size-negative"}}},
        PitfallCase{"LargerThanTheScreen", kCleanServerInfo, "[SYSTEM]\r\nSCREENWIDTH=1920\r\nSCREENHEIGHT=1080\r\n",
                    {{"window.ini", 2, "size-exceeds-screen"}, {"window.ini", 3, "size-exceeds-screen"}}},
        PitfallCase{"TopAboveTheScreen", kCleanServerInfo, "[SYSTEM]\r\nSCREENWIDTH=1024\r\nSCREENHEIGHT=760\r\n",
                    {{"window.ini", 3, "window-above-screen"}}}),
    [](const ::testing::TestParamInfo<PitfallCase>& info) { return std::string(info.param.name); });

struct EffectiveCase {
    const char* name;
    std::optional<std::string> serverInfo;
    std::optional<std::string> window;
    std::string launchPage;
    std::string launchUrl;
    std::string caption;
    int width;
    int height;
    WindowOrigin origin;
};

void PrintTo(const EffectiveCase& c, std::ostream* os) { *os << c.name; }

class EffectiveCases : public ::testing::TestWithParam<EffectiveCase> {};

TEST_P(EffectiveCases, GivesWhatTheLauncherUses)
{
    const EffectiveCase& c = GetParam();
    TempDir dir;
    const InstallSettings s = CheckFiles(dir, c.serverInfo, c.window).settings;
    EXPECT_EQ(s.launchPage, c.launchPage);
    EXPECT_EQ(s.launchUrl, c.launchUrl);
    EXPECT_EQ(s.caption, c.caption);
    EXPECT_EQ(s.clientWidth, c.width);
    EXPECT_EQ(s.clientHeight, c.height);
    EXPECT_EQ(s.origin.x, c.origin.x);
    EXPECT_EQ(s.origin.y, c.origin.y);
    EXPECT_EQ(s.playerCommandLine,
              "\"Velmora.exe\"  Launch Korrin Korrin.dll kt999 1 localversion " + c.launchUrl + " facebook");
}


INSTANTIATE_TEST_SUITE_P(
    Table, EffectiveCases,
    ::testing::Values(
        EffectiveCase{"Configured", kCleanServerInfo, kCleanWindow, "http://10.0.0.1:8080/launch.php?s=1",
                      "http://10.0.0.1:8080/launch.php?s=1", "Tarnhold Online", 1024, 640, {171, 54}},
        EffectiveCase{"NoFiles", std::nullopt, std::nullopt, kDefaultLaunchUrl, "", "Tarnhold", 0, 0, {683, 374}},
        EffectiveCase{"UrlTooLongGivesTheDefaultPageAndNoUrl", "[default]\r\nresourceURL=\"" + kUrlOneByteTooLong + "\"\r\n",
                      kCleanWindow, kDefaultLaunchUrl, "", "Tarnhold", 1024, 640, {171, 54}},
        EffectiveCase{"EmptyUrlOpensAnEmptyAddress", "[default]\r\nresourceURL=\r\nClientWndCaption=\r\n", kCleanWindow,
                      "", "", "", 1024, 640, {171, 54}},
        EffectiveCase{"CutUrl", "[default]\r\nresourceURL=http://a/x\r\n", kCleanWindow, "http:", "http:", "Tarnhold",
                      1024, 640, {171, 54}},
        EffectiveCase{"NamesIgnoreCase", "[DEFAULT]\r\nRESOURCEURL=\"http://b/\"\r\nclientwndcaption=\xC4\xE3\r\n",
                      "[system]\r\nscreenwidth=800\r\nscreenheight=600\r\n", "http://b/", "http://b/", "\xC4\xE3", 800,
                      600, {283, 74}},
        EffectiveCase{"CaptionCutToTheLongest", "[default]\r\nClientWndCaption=" + std::string(300, 'c') + "\r\n",
                      kCleanWindow, kDefaultLaunchUrl, "", std::string(kLongestCaption, 'c'), 1024, 640, {171, 54}}),
    [](const ::testing::TestParamInfo<EffectiveCase>& info) { return std::string(info.param.name); });

TEST(InstallCheck, UsesTheGivenScreenForPlacementAndSizeWarnings)
{
    TempDir dir;
    const InstallCheck check = CheckFiles(dir, kCleanServerInfo, kCleanWindow, {800, 600});
    EXPECT_EQ(check.settings.origin.x, 0);
    EXPECT_EQ(check.settings.origin.y, 0);
    EXPECT_EQ(Problems(check), (std::vector<Found>{{"window.ini", 3, "size-exceeds-screen"},
                                                   {"window.ini", 4, "size-exceeds-screen"}}));
}

TEST(InstallCheck, WarningsNameTheValueAsRead)
{
    TempDir dir;
    const InstallCheck check = CheckFiles(dir, "[default]\r\nresourceURL=http://a.example/x;y\r\n", kCleanWindow);
    ASSERT_FALSE(check.warnings.empty());
    const SettingsWarning& cut = check.warnings[1];
    EXPECT_EQ(cut.problem, "value-cut-at-slashes");
    EXPECT_NE(cut.message.find("\"http:\""), std::string::npos) << cut.message;
    EXPECT_EQ(cut.fix, "write the value in double quotes: resourceURL=\"http://a.example/x\"");
}

TEST(InstallCheck, ReadErrorsFailTheCheck)
{
    TempDir dir;
    InstallCheck check;
    std::string error;
    EXPECT_FALSE(CheckInstall(dir.Path("absent"), kDefaultScreen, kDefaultCodePage, check, error));
    EXPECT_EQ(error, "cannot read the install directory " + dir.Path("absent") + ": no such file or directory");
    std::filesystem::create_directory(dir.Path("window.ini"));
    EXPECT_FALSE(CheckInstall(dir.Path(""), kDefaultScreen, kDefaultCodePage, check, error));
    EXPECT_NE(error.find("window.ini: it is a directory"), std::string::npos) << error;
}

// A file that the 32-bit launcher cannot load is, for the check, no file: the
// launcher's defaults are shown, and a warning says why. The text of the file
// and its entries are made in memory, as files of this size would take long
// to read.
struct TooLargeCase {
    const char* name;
    std::size_t textBytes;
    std::size_t valueBytes;  // of the file's one entry
    std::string message;     // empty for a file the launcher loads
};

void PrintTo(const TooLargeCase& c, std::ostream* os) { *os << c.name; }

class TooLargeFiles : public ::testing::TestWithParam<TooLargeCase> {};

TEST_P(TooLargeFiles, AreWhatTheLauncherCannotLoad)
{
    const TooLargeCase& c = GetParam();
    TempDir dir;
    SettingsFile window;
    ReadSettingsFile(dir.Write("window.ini", kCleanWindow), window);
    window.bytes.resize(c.textBytes);
    window.document.Entries()[0]->value.assign(c.valueBytes, '1');
    SetAsideIfTooLarge(window);
    InstallSettings settings;
    SettingsWarnings warnings;
    CheckWindowSize(window, settings, warnings);
    if (c.message.empty()) {
        EXPECT_EQ(window.state, FileState::Loaded);
        EXPECT_EQ(settings.clientWidth, 1024);
        return;
    }
    EXPECT_EQ(window.state, FileState::TooLarge);
    EXPECT_EQ(std::make_tuple(settings.clientWidth, settings.clientHeight, settings.clientSizeSource),
              std::make_tuple(0, 0, std::string("window.ini is too large for the launcher")));
    ASSERT_FALSE(warnings.empty());
    EXPECT_EQ(warnings[0].problem, "file-too-large");
    EXPECT_EQ(warnings[0].message, c.message);
    EXPECT_EQ(warnings[0].fix, "keep window.ini to the entries the launcher reads");
}

const std::size_t kGiB = std::size_t{1} << 30;

INSTANTIATE_TEST_SUITE_P(
    Table, TooLargeFiles,
    ::testing::Values(
        TooLargeCase{"TextJustBelow1GiB", kGiB - 1, 1, ""},
        TooLargeCase{"TextOf1GiB", kGiB, 1,
                     "window.ini is 1073741824 bytes: the 32-bit launcher cannot count on a block of 1 GiB of memory "
                     "to read it into, so it reads no setting from it"},
        TooLargeCase{"EntriesTakingMoreThan1Point5GiB", 1024, kGiB + kGiB / 2,
                     "window.ini takes about 1536 MiB of memory with its 3 entries: the 32-bit launcher cannot count "
                     "on more than 1.5 GiB, so it runs out of memory while it reads the file and ends at once"}),
    [](const ::testing::TestParamInfo<TooLargeCase>& info) { return std::string(info.param.name); });

}  // namespace
