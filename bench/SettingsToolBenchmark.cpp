// settings_tool_bench: how long launcher-settings takes on large settings
// files. It writes an install whose ServerInfo.ini and window.ini hold 200,000
// entries each (2,000 sections of 100 keys, CR LF lines) into a temporary
// directory, then runs show, check and set in this process, three times each,
// and prints the fastest and slowest wall-clock time. Run by hand, not by ctest.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "SettingsTool.h"

namespace {

const int kSections = 2000;
const int kKeysPerSection = 100;
const int kRuns = 3;

// `first` lines come first; then the generated sections.
std::string LargeSettings(const std::string& first)
{
    std::string text = first;
    for (int section = 0; section < kSections; ++section) {
        text += "[Section" + std::to_string(section) + "]\r\n";
        for (int key = 0; key < kKeysPerSection; ++key)
            text += "Key" + std::to_string(key) + "=value " + std::to_string(key) + " of " + std::to_string(section) + "\r\n";
    }
    return text;
}

struct Timing {
    double fastest;
    double slowest;
    int status;
};

Timing TimeCommand(const std::vector<std::string>& args)
{
    Timing timing{1e9, 0, 0};
    for (int run = 0; run < kRuns; ++run) {
        std::string out;
        std::string err;
        const auto start = std::chrono::steady_clock::now();
        timing.status = RunSettingsTool(args, out, err);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        timing.fastest = std::min(timing.fastest, seconds);
        timing.slowest = std::max(timing.slowest, seconds);
    }
    return timing;
}

}  // namespace

int main()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "settings-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("settings_tool_bench: cannot create a scratch directory");
        return 1;
    }
    const std::filesystem::path dir = pattern;
    const std::string serverInfo = (dir / "ServerInfo.ini").string();
    const std::string window = (dir / "window.ini").string();
    std::ofstream(serverInfo, std::ios::binary)
        << LargeSettings("[default]\r\nresourceURL=\"http://127.0.0.1/launch.php\"\r\nClientWndCaption=Tarnhold\r\n");
    std::ofstream(window, std::ios::binary) << LargeSettings("[SYSTEM]\r\nSCREENWIDTH=1024\r\nSCREENHEIGHT=640\r\n");

    std::printf("ServerInfo.ini: %ju bytes, %d entries\n", static_cast<std::uintmax_t>(std::filesystem::file_size(serverInfo)),
                kSections * kKeysPerSection + 2);
    std::printf("%-42s %9s %9s %7s\n", "command", "fastest", "slowest", "status");
    const std::vector<std::vector<std::string>> commands = {
        {"show", serverInfo},
        {"check", dir.string()},
        {"set", window, "Section1000", "Key50", "changed"},
        {"set", window, "Section1999", "NewKey", "added"},
    };
    const char* names[] = {"show ServerInfo.ini", "check DIR", "set window.ini (change an entry)",
                           "set window.ini (add an entry)"};
    for (std::size_t i = 0; i < commands.size(); ++i) {
        const Timing timing = TimeCommand(commands[i]);
        std::printf("%-42s %8.2fs %8.2fs %7d\n", names[i], timing.fastest, timing.slowest, timing.status);
    }
    std::filesystem::remove_all(dir);
    return 0;
}
