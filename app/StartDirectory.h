// The launcher works in its own directory or not at all: going on in the
// caller's directory would read that directory's settings, install its update
// and start its player. Portable: no Windows header.
#pragma once

#include <string>

#include "ModulePath.h"

enum class StartDirectoryStep { GoOn, TellAndStop };

struct StartDirectory {
    StartDirectoryStep step;
    // GoOn: the launcher's directory, now the working directory. TellAndStop: the
    // folder the message names (the module path itself when it has no directory).
    std::wstring folder;
};

// Hands the directory of `modulePath` to `enter` (which makes it the working
// directory and says whether that worked) and decides how start-up goes on.
template <typename Enter>
StartDirectory EnterModuleDirectory(const std::wstring& modulePath, Enter enter)
{
    const std::wstring directory = DirectoryOfModule(modulePath);
    if (directory.empty())
        return {StartDirectoryStep::TellAndStop, modulePath};
    if (!enter(directory))
        return {StartDirectoryStep::TellAndStop, directory};
    return {StartDirectoryStep::GoOn, directory};
}

// The text of the message that tells the user the launcher cannot work in `folder`.
std::wstring FolderNotEnteredText(const std::wstring& folder);
