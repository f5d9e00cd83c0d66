// The first load of a process: the benchmark binary starts a new copy of itself
// that loads one file and reports how long that took and how many page faults
// it cost, so that the load starts with nothing on the heap, as the launcher's
// own loads do.
#pragma once

#include <string>

namespace bench {

struct FirstLoadResult {
    bool loaded;
    double seconds;
    long pageFaults;
};

// Runs one load with the named reader in a new process of this binary.
FirstLoadResult RunFirstLoad(const char* reader, const std::string& path);

// In such a new process: when the arguments ask for a first load, does it,
// writes the figures to standard output and ends the process.
void ServeFirstLoadIfAsked(int argc, char** argv);

}  // namespace bench
