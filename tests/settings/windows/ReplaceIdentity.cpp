// replace_identity FILE: checks under Windows (or Wine) that saving a settings
// file replaces it without changing what makes it the same file to its users.
// It writes FILE, makes it hidden and gives it a creation time in the past,
// changes one entry through CIniFile and saves, then prints one JSON line with
// what the file has afterwards. Exit status 0 when the new text is in place,
// the attribute was kept, and so was the creation time where the system lets a
// program set one (Wine reports the last write time instead and ignores it).
#include <cstdio>
#include <string>
#include <windows.h>

#include "IniFile.h"
#include "OwnedHandle.h"

namespace {

// 3 February 2001, 04:05:06 UTC, in 100-nanosecond units since 1601.
const ULONGLONG kCreationTime = 126257139060000000ull;

bool Prepare(const char* path)
{
    {
        const OwnedFileHandle file(
            CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return false;
        const char text[] = "[SYSTEM]\r\nWINDOW=1\r\n";
        DWORD written = 0;
        FILETIME creation;
        creation.dwLowDateTime = static_cast<DWORD>(kCreationTime);
        creation.dwHighDateTime = static_cast<DWORD>(kCreationTime >> 32);
        if (!WriteFile(file.Get(), text, sizeof text - 1, &written, nullptr) || written != sizeof text - 1 ||
            !SetFileTime(file.Get(), &creation, nullptr, nullptr))
            return false;
    }
    return SetFileAttributesA(path, FILE_ATTRIBUTE_HIDDEN);
}

bool CreationTimeOf(const char* path, ULONGLONG& time)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return false;
    time = (static_cast<ULONGLONG>(data.ftCreationTime.dwHighDateTime) << 32) | data.ftCreationTime.dwLowDateTime;
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: replace_identity FILE\n", stderr);
        return 2;
    }
    const char* path = argv[1];
    if (!Prepare(path)) {
        std::printf("{\"prepared\":false,\"error\":%lu}\n", GetLastError());
        return 2;
    }
    const DWORD attributesBefore = GetFileAttributesA(path);
    const bool hiddenSet = attributesBefore != INVALID_FILE_ATTRIBUTES && (attributesBefore & FILE_ATTRIBUTE_HIDDEN) != 0;
    ULONGLONG before = 0;
    const bool creationSet = CreationTimeOf(path, before) && before == kCreationTime;
    CIniFile ini;
    const bool saved = ini.Load(path) && ini.SetValue("SYSTEM", "WINDOW", "2") && ini.Save();
    const DWORD attributes = GetFileAttributesA(path);
    ULONGLONG after = 0;
    const bool creationKept = CreationTimeOf(path, after) && after == before;
    CIniFile reread;
    const bool newText = reread.Load(path) && reread.GetInt("SYSTEM", "WINDOW", true) == 2;
    const bool hidden = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    std::printf("{\"saved\":%s,\"newText\":%s,\"hiddenSet\":%s,\"hidden\":%s,\"creationSet\":%s,"
                "\"creationKept\":%s}\n",
                saved ? "true" : "false", newText ? "true" : "false", hiddenSet ? "true" : "false",
                hidden ? "true" : "false", creationSet ? "true" : "false", creationKept ? "true" : "false");
    return saved && newText && hiddenSet && hidden && (creationKept || !creationSet) ? 0 : 1;
}
