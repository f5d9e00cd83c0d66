// launcher-settings: the program's entry point, which hands the command and its
// standard output to RunAndReport and writes the messages. Everything else is
// in RunSettingsTool, which builds the same natively and for Windows.
#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "SettingsTool.h"
#include "StandardOutput.h"

int main(int argc, char** argv)
{
#ifdef _WIN32
    // The same bytes as natively: lines end in LF alone.
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    if (!HasStandardOutput()) {
        std::fputs("launcher-settings: standard output is closed, so no report can be written; nothing was done\n",
                   stderr);
        return kStatusUsage;
    }
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::string err;
    const int status = RunAndReport(std::vector<std::string>(argv + 1, argv + argc), stdout, err);
    std::fwrite(err.data(), 1, err.size(), stderr);
    return status;
}
