// Writing a file by way of a temporary file beside it, so that the file is
// replaced whole or not at all, keeps what makes it the same file to its users
// (through a link, its target; its mode, owner and attributes), and leaves no
// temporary files behind, even of saves that were killed.
//
// Temporary names are short and the same for every target name's length: a dot,
// "ini-", a hash of the target's name, the process id and a counter. A save
// holds its temporary file so that no other save can remove it (POSIX: an
// exclusive lock; Windows: opened without delete sharing); before creating its
// own, a save removes every temporary file of the same target that nobody holds.
// Where the file system has no locks, a save goes on without them, and nothing
// takes its file, or the file of a killed save, for a leftover.
//
// On failure every operation leaves errno at the cause.
#pragma once

#include <cstdio>
#include <string>

namespace ini {

struct Replacement {
    Replacement() = default;
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;
    // A replacement that was neither committed nor abandoned (a save that
    // failed on the way) is abandoned when it goes: its temporary file is closed
    // and removed, and errno is left as it was.
    ~Replacement();

    std::FILE* file = nullptr;   // open for binary writing; null once committed or abandoned
    std::string temporaryPath;
    std::string target;          // the file that is replaced: the end of a chain of links
};

// Finds the file that `target` names, removes leftovers of earlier saves of it,
// and creates a new, empty temporary file in its directory. False when the
// target exists but cannot be written or replaced, or no file can be created.
bool BeginReplace(const std::string& target, Replacement& replacement);

// Flushes the temporary file to disk and puts it in place of the target in one
// step, with the target's permissions (and, where allowed, owner and group).
// On any failure the temporary file is removed and the target left as it was.
bool CommitReplace(Replacement& replacement);

// Closes and removes a temporary file that is not wanted.
void AbandonReplace(Replacement& replacement);

inline Replacement::~Replacement()
{
    if (file != nullptr)
        AbandonReplace(*this);
}

// The part of a temporary name that belongs to one target: ".ini-" and the
// hash of the target's file name, then "-".
std::string TemporaryPrefix(const std::string& target);

}  // namespace ini
