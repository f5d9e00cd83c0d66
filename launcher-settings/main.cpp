// launcher-settings: the program's entry point. Everything else is in
// RunSettingsTool, which builds the same natively and for Windows.
#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "SettingsTool.h"

int main(int argc, char** argv)
{
#ifdef _WIN32
    // The same bytes as natively: lines end in LF alone.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    std::string out;
    std::string err;
    const int status = RunSettingsTool(std::vector<std::string>(argv + 1, argv + argc), out, err);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fwrite(err.data(), 1, err.size(), stderr);
    return status;
}
