#include "SettingsTool.h"

#include <cerrno>

#include "CheckReport.h"
#include "CodePage.h"
#include "PageCheck.h"
#include "SetSetting.h"
#include "SettingsFile.h"
#include "ShowReport.h"
#include "ToolHelp.h"
#include "VisibleText.h"

namespace {

const char kProgram[] = "launcher-settings: ";

// A command's arguments, split into operands and options.
struct Arguments {
    std::vector<std::string> operands;
    std::vector<std::string> options;
};

// Options begin with "--"; "--screen", "--code-page" and "--timeout" take the
// next argument as their value and are kept as "--screen=VALUE" and so on.
// After "--" every argument is an operand, so that a value may begin with "--" too.
Arguments Split(const std::vector<std::string>& args)
{
    Arguments split;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.rfind("--", 0) != 0)
            split.operands.push_back(arg);
        else if (arg == "--")
            optionsEnded = true;
        else if ((arg == "--screen" || arg == "--code-page" || arg == "--timeout") && i + 1 < args.size())
            split.options.push_back(arg + "=" + args[++i]);
        else
            split.options.push_back(arg);
    }
    return split;
}

bool WantsHelp(const Arguments& arguments)
{
    for (const std::string& option : arguments.options) {
        if (option == "--help")
            return true;
    }
    return false;
}

int Usage(const std::string& problem, const std::string& command, std::string& err)
{
    const std::string help = command.empty() ? "launcher-settings --help" : "launcher-settings " + command + " --help";
    err += kProgram + problem + " (see \"" + help + "\")\n";
    return kStatusUsage;
}

// A decimal number of one to `longestDigits` digits and nothing else.
bool ParseDigits(const std::string& text, std::size_t longestDigits, int& number)
{
    if (text.empty() || text.size() > longestDigits || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    number = std::stoi(text);
    return true;
}

// A positive decimal number of at most six digits.
bool ParsePixels(const std::string& text, int& pixels)
{
    return ParseDigits(text, 6, pixels) && pixels > 0;
}

// A code page number that this system can convert from.
bool ParseCodePage(const std::string& text, unsigned& codePage)
{
    int number = 0;
    if (!ParseDigits(text, 5, number))
        return false;
    codePage = static_cast<unsigned>(number);
    return CodePageConverter(codePage).Known();
}

// A whole number of seconds from 1 to kLongestPageTimeout.
bool ParseTimeout(const std::string& text, int& seconds)
{
    return ParseDigits(text, 4, seconds) && seconds >= 1 && seconds <= kLongestPageTimeout;
}

bool ParseScreen(const std::string& text, ScreenSize& screen)
{
    const std::size_t x = text.find('x');
    return x != std::string::npos && ParsePixels(text.substr(0, x), screen.width) &&
           ParsePixels(text.substr(x + 1), screen.height);
}

int Show(const Arguments& arguments, std::string& out, std::string& err)
{
    if (WantsHelp(arguments)) {
        out += kShowHelp;
        return kStatusClean;
    }
    if (!arguments.options.empty())
        return Usage("show: unknown option " + arguments.options.front(), "show", err);
    if (arguments.operands.size() != 1)
        return Usage("show needs one FILE", "show", err);
    SettingsFile file;
    ReadSettingsFile(arguments.operands[0], file);
    if (file.state == FileState::Missing || file.state == FileState::Unreadable) {
        err += kProgram + std::string("cannot read ") + VisiblePath(file.path) + ": " + file.problem + "\n";
        return kStatusUsage;
    }
    out += ShowReportText(file);
    return kStatusClean;
}

int Check(const Arguments& arguments, std::string& out, std::string& err)
{
    if (WantsHelp(arguments)) {
        out += kCheckHelp;
        return kStatusClean;
    }
    ScreenSize screen = kDefaultScreen;
    unsigned codePage = kDefaultCodePage;
    bool json = false;
    bool page = false;
    int timeout = kDefaultPageTimeout;
    bool timeoutGiven = false;
    for (const std::string& option : arguments.options) {
        if (option == "--json") {
            json = true;
        } else if (option == "--page") {
            page = true;
        } else if (option.rfind("--timeout=", 0) == 0) {
            timeoutGiven = true;
            if (!ParseTimeout(option.substr(10), timeout))
                return Usage("check: the timeout must be a whole number of seconds from 1 to " +
                                 std::to_string(kLongestPageTimeout),
                             "check", err);
        } else if (option.rfind("--screen=", 0) == 0) {
            if (!ParseScreen(option.substr(9), screen))
                return Usage("check: the screen size must be WxH in pixels, such as 1920x1080", "check", err);
        } else if (option.rfind("--code-page=", 0) == 0) {
            if (!ParseCodePage(option.substr(12), codePage))
                return Usage("check: the code page must be the number of one this system knows, such as 936 or 1252",
                             "check", err);
        } else {
            return Usage("check: unknown option " + option, "check", err);
        }
    }
    if (timeoutGiven && !page)
        return Usage("check: --timeout needs --page", "check", err);
    if (arguments.operands.size() != 1)
        return Usage("check needs one install directory", "check", err);
    InstallCheck check;
    std::string error;
    if (!CheckInstall(arguments.operands[0], screen, codePage, check, error)) {
        err += kProgram + error + "\n";
        return kStatusUsage;
    }
    if (page) {
        check.page.emplace();
        CheckPage(check.settings.launchPage, timeout, *check.page, check.warnings);
    }
    out += json ? CheckReportJson(check) : CheckReportText(check);
    return check.warnings.empty() ? kStatusClean : kStatusWarnings;
}

int Set(const Arguments& arguments, std::string& out, std::string& err)
{
    if (WantsHelp(arguments)) {
        out += kSetHelp;
        return kStatusClean;
    }
    if (!arguments.options.empty())
        return Usage("set: unknown option " + arguments.options.front(), "set", err);
    if (arguments.operands.size() != 4)
        return Usage("set needs FILE SECTION KEY VALUE", "set", err);
    const std::vector<std::string>& operands = arguments.operands;
    std::string problem;
    const int status = SetSetting({operands[0], operands[1], operands[2], operands[3]}, out, problem);
    if (!problem.empty())
        err += kProgram + problem;
    return status;
}

}  // namespace

int RunSettingsTool(const std::vector<std::string>& args, std::string& out, std::string& err)
{
    if (args.empty())
        return Usage("a command is needed", "", err);
    const std::string& command = args[0];
    if (command == "--help") {
        out += kToolHelp;
        return kStatusClean;
    }
    const Arguments arguments = Split(args);
    if (command == "show")
        return Show(arguments, out, err);
    if (command == "check")
        return Check(arguments, out, err);
    if (command == "set")
        return Set(arguments, out, err);
    return Usage("unknown command " + command, "", err);
}

int RunAndReport(const std::vector<std::string>& args, std::FILE* standardOutput, std::string& err)
{
    std::string out;
    const int status = RunSettingsTool(args, out, err);
    // The first failure's cause; the close is checked too, as that is where a
    // file system may first report that the data could not be stored.
    bool reached = std::fwrite(out.data(), 1, out.size(), standardOutput) == out.size() &&
                   std::fflush(standardOutput) == 0;
    int error = errno;
    if (std::fclose(standardOutput) != 0 && reached) {
        reached = false;
        error = errno;
    }
    if (reached)
        return status;
    const bool changed = status == kStatusClean && !args.empty() && args[0] == "set" && !WantsHelp(Split(args));
    err += kProgram + std::string("cannot write the report to standard output: ") + FileProblem(error) +
           (changed ? "; the change itself is made" : "") + "\n";
    return kStatusUsage;
}
