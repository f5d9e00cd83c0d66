// The command line of launcher-settings: commands, help, and one-line errors
// with exit status 2 for bad arguments and unreadable paths.
#include "SettingsTool.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "TempDir.h"

namespace {

struct ArgumentCase {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::string outStart;  // what standard output begins with
    std::string err;       // all of standard error
};

void PrintTo(const ArgumentCase& c, std::ostream* os) { *os << c.name; }

class ArgumentCases : public ::testing::TestWithParam<ArgumentCase> {};

TEST_P(ArgumentCases, AnswersWithStatusAndOneLine)
{
    const ArgumentCase& c = GetParam();
    std::string out;
    std::string err;
    EXPECT_EQ(RunSettingsTool(c.args, out, err), c.status);
    EXPECT_EQ(out.substr(0, c.outStart.size()), c.outStart);
    EXPECT_EQ(err, c.err);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ArgumentCases,
    ::testing::Values(
        ArgumentCase{"Help", {"--help"}, 0, "usage: launcher-settings COMMAND", ""},
        ArgumentCase{"ShowHelp", {"show", "--help"}, 0, "usage: launcher-settings show FILE\n", ""},
        ArgumentCase{"CheckHelp", {"check", "--help"}, 0, "usage: launcher-settings check DIR", ""},
        ArgumentCase{"SetHelp", {"set", "x", "--help"}, 0, "usage: launcher-settings set FILE", ""},
        ArgumentCase{"NoCommand", {}, 2, "", "launcher-settings: a command is needed (see \"launcher-settings --help\")\n"},
        ArgumentCase{"UnknownCommand", {"edit"}, 2, "",
                     "launcher-settings: unknown command edit (see \"launcher-settings --help\")\n"},
        ArgumentCase{"ShowWithoutFile", {"show"}, 2, "",
                     "launcher-settings: show needs one FILE (see \"launcher-settings show --help\")\n"},
        ArgumentCase{"ShowMissingFile", {"show", "no-such.ini"}, 2, "",
                     "launcher-settings: cannot read no-such.ini: no such file or directory\n"},
        ArgumentCase{"CheckUnknownOption", {"check", ".", "--verbose"}, 2, "",
                     "launcher-settings: check: unknown option --verbose (see \"launcher-settings check --help\")\n"},
        ArgumentCase{"CheckBadScreen", {"check", ".", "--screen", "1920by1080"}, 2, "",
                     "launcher-settings: check: the screen size must be WxH in pixels, such as 1920x1080 "
                     "(see \"launcher-settings check --help\")\n"},
        ArgumentCase{"CheckZeroScreen", {"check", ".", "--screen=0x768"}, 2, "",
                     "launcher-settings: check: the screen size must be WxH in pixels, such as 1920x1080 "
                     "(see \"launcher-settings check --help\")\n"},
        ArgumentCase{"CheckUnknownCodePage", {"check", ".", "--code-page", "12345"}, 2, "",
                     "launcher-settings: check: the code page must be the number of one this system knows, such as 936 "
                     "or 1252 (see \"launcher-settings check --help\")\n"},
        ArgumentCase{"CheckCodePageNotANumber", {"check", ".", "--code-page=gbk"}, 2, "",
                     "launcher-settings: check: the code page must be the number of one this system knows, such as 936 "
                     "or 1252 (see \"launcher-settings check --help\")\n"},
        ArgumentCase{"CheckTimeoutWithoutPage", {"check", ".", "--timeout", "5"}, 2, "",
                     "launcher-settings: check: --timeout needs --page (see \"launcher-settings check --help\")\n"},
        ArgumentCase{"CheckZeroTimeout", {"check", ".", "--page", "--timeout", "0"}, 2, "",
                     "launcher-settings: check: the timeout must be a whole number of seconds from 1 to 3600 "
                     "(see \"launcher-settings check --help\")\n"},
        ArgumentCase{"CheckFractionalTimeout", {"check", ".", "--page", "--timeout=2.5"}, 2, "",
                     "launcher-settings: check: the timeout must be a whole number of seconds from 1 to 3600 "
                     "(see \"launcher-settings check --help\")\n"},
        ArgumentCase{"CheckTimeoutTooLong", {"check", ".", "--page", "--timeout", "3601"}, 2, "",
                     "launcher-settings: check: the timeout must be a whole number of seconds from 1 to 3600 "
                     "(see \"launcher-settings check --help\")\n"},
        ArgumentCase{"CheckPageOfMissingDirectory", {"check", "no-such-dir", "--page"}, 2, "",
                     "launcher-settings: cannot read the install directory no-such-dir: no such file or directory\n"},
        ArgumentCase{"CheckTwoDirectories", {"check", "a", "b"}, 2, "",
                     "launcher-settings: check needs one install directory (see \"launcher-settings check --help\")\n"},
        ArgumentCase{"CheckMissingDirectory", {"check", "no-such-dir"}, 2, "",
                     "launcher-settings: cannot read the install directory no-such-dir: no such file or directory\n"},
        ArgumentCase{"SetTooFewArguments", {"set", "a.ini", "SYSTEM", "WINDOW"}, 2, "",
                     "launcher-settings: set needs FILE SECTION KEY VALUE (see \"launcher-settings set --help\")\n"},
        ArgumentCase{"ShowFileOfUnmeasurableSize", {"show", "/proc/self/status"}, 2, "",
                     "launcher-settings: cannot read /proc/self/status: its size cannot be measured: the system makes "
                     "its text as it is read (as under /proc and /sys), and the launcher loads only a file whose size "
                     "it can measure\n"},
        ArgumentCase{"PathWithControlBytes", {"show", "a\nb\x7F.ini"}, 2, "",
                     "launcher-settings: cannot read a\\x0Ab\\x7F.ini: no such file or directory\n"}),
    [](const ::testing::TestParamInfo<ArgumentCase>& info) { return std::string(info.param.name); });

// An install in `dir` whose window opens `address`.
void WriteInstall(const TempDir& dir, const std::string& address)
{
    dir.Write("ServerInfo.ini", "[default]\r\nresourceURL=\"" + address + "\"\r\nClientWndCaption=T\r\n");
    dir.Write("window.ini", "[SYSTEM]\r\nSCREENWIDTH=1024\r\nSCREENHEIGHT=640\r\n");
}

TEST(SettingsTool, CheckStatusSaysWhetherThereAreWarnings)
{
    TempDir dir;
    WriteInstall(dir, "http://a/");
    std::string out;
    std::string err;
    EXPECT_EQ(RunSettingsTool({"check", dir.Path("")}, out, err), 0);
    EXPECT_EQ(out.substr(out.size() - 12), "no warnings\n");
    out.clear();
    EXPECT_EQ(RunSettingsTool({"check", "--screen", "800x600", "--json", dir.Path("")}, out, err), 1);
    EXPECT_NE(out.find("\"screen\": {\"width\": 800, \"height\": 600}"), std::string::npos) << out;
    EXPECT_EQ(err, "");
}

// An address that is not fetched needs no network: the page part of the
// report and its warning, with the status of a check with warnings.
TEST(SettingsTool, CheckPageReportsAnAddressItDoesNotFetch)
{
    TempDir dir;
    WriteInstall(dir, "about:blank");
    std::string out;
    std::string err;
    EXPECT_EQ(RunSettingsTool({"check", dir.Path(""), "--page", "--timeout", "1"}, out, err), 1);
    EXPECT_NE(out.find("nowindow starts: \"Velmora.exe\"  Launch Korrin Korrin.dll kt999 1 localversion about:blank facebook\n"
                       "page answer:     none: not fetched: it is not an http: or https: address\n"
                       "document mode:   none: no page was received\n"
                       "about:blank: warning: the launch page is not fetched: it is not an http: or https: address\n"),
              std::string::npos)
        << out;
    out.clear();
    EXPECT_EQ(RunSettingsTool({"check", dir.Path(""), "--json", "--page"}, out, err), 1);
    EXPECT_NE(out.find("\n  \"page\": {\"address\": \"about:blank\", \"status\": null, \"final_address\": null,"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("\"problem\": \"page-not-fetched\""), std::string::npos) << out;
    EXPECT_EQ(err, "");
}

TEST(SettingsTool, CheckWithoutPageHasNoPageMember)
{
    TempDir dir;
    std::string out;
    std::string err;
    RunSettingsTool({"check", dir.Path(""), "--json"}, out, err);
    EXPECT_EQ(out.find("\"page\""), std::string::npos) << out;
    out.clear();
    RunSettingsTool({"check", dir.Path("")}, out, err);
    EXPECT_EQ(out.find("page answer:"), std::string::npos) << out;
}

TEST(SettingsTool, SetTakesAValueAfterDoubleDash)
{
    TempDir dir;
    const std::string path = dir.Path("settings.ini");
    std::string out;
    std::string err;
    EXPECT_EQ(RunSettingsTool({"set", path, "s", "k", "--", "--x"}, out, err), 0) << err;
    EXPECT_EQ(TempDir::Read(path), "[s]\r\nk=--x\r\n");
}

// A report that does not reach standard output whole makes the status 2, with
// the cause, whatever the command's own status was; a set says that its change
// was made all the same.
struct LostReportCase {
    const char* name;
    std::vector<std::string> args;  // "DIR" stands for the scratch install
    const char* openMode;           // how the output file is opened
    std::string err;
};

void PrintTo(const LostReportCase& c, std::ostream* os) { *os << c.name; }

class LostReports : public ::testing::TestWithParam<LostReportCase> {};

TEST_P(LostReports, GiveStatus2AndTheCause)
{
    const LostReportCase& c = GetParam();
    TempDir dir;
    dir.Write("window.ini", "[SYSTEM]\r\nWINDOW=1\r\n");
    std::vector<std::string> args = c.args;
    for (std::string& arg : args)
        arg = arg == "DIR" ? dir.Path("") : arg == "FILE" ? dir.Path("window.ini") : arg;
    const std::string output = std::string(c.openMode) == "r" ? dir.Write("report.txt", "") : "/dev/full";
    std::FILE* stream = std::fopen(output.c_str(), c.openMode);
    ASSERT_NE(stream, nullptr);
    std::string err;
    EXPECT_EQ(RunAndReport(args, stream, err), 2);
    EXPECT_EQ(err, c.err);
}

const std::string kFull = "launcher-settings: cannot write the report to standard output: no space left on the "
                          "device (no free blocks or no free inodes)";

INSTANTIATE_TEST_SUITE_P(
    Table, LostReports,
    ::testing::Values(LostReportCase{"Show", {"show", "FILE"}, "wb", kFull + "\n"},
                      LostReportCase{"Check", {"check", "DIR"}, "wb", kFull + "\n"},
                      LostReportCase{"CheckJson", {"check", "--json", "DIR"}, "wb", kFull + "\n"},
                      LostReportCase{"Help", {"--help"}, "wb", kFull + "\n"},
                      LostReportCase{"SetHelp", {"set", "--help"}, "wb", kFull + "\n"},
                      LostReportCase{"Set", {"set", "FILE", "SYSTEM", "WINDOW", "2"}, "wb",
                                     kFull + "; the change itself is made\n"},
                      LostReportCase{"OutputNotOpenForWriting", {"show", "FILE"}, "r",
                                     "launcher-settings: cannot write the report to standard output: it is not open "
                                     "for writing\n"}),
    [](const ::testing::TestParamInfo<LostReportCase>& info) { return std::string(info.param.name); });

TEST(RunAndReport, WritesTheReportAndKeepsTheStatus)
{
    TempDir dir;
    dir.Write("window.ini", "[SYSTEM]\r\nWINDOW=1\r\n");
    std::FILE* stream = std::fopen(dir.Path("report.txt").c_str(), "wb");
    ASSERT_NE(stream, nullptr);
    std::string err;
    EXPECT_EQ(RunAndReport({"check", dir.Path("")}, stream, err), 1);
    EXPECT_EQ(err, "");
    std::string expected;
    EXPECT_EQ(RunSettingsTool({"check", dir.Path("")}, expected, err), 1);
    EXPECT_EQ(TempDir::Read(dir.Path("report.txt")), expected);
    // No report, nothing lost: a failing command keeps its status.
    std::FILE* full = std::fopen("/dev/full", "wb");
    ASSERT_NE(full, nullptr);
    err.clear();
    EXPECT_EQ(RunAndReport({"show", dir.Path("absent.ini")}, full, err), 2);
    EXPECT_EQ(err, "launcher-settings: cannot read " + dir.Path("absent.ini") + ": no such file or directory\n");
}

}  // namespace
