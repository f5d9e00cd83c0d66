// Changing or adding one entry of a settings file with CIniFile, confirmed by
// reading the file back.
#pragma once

#include <string>

struct SetRequest {
    std::string path;
    std::string section;
    std::string key;
    std::string value;
};

// Sets the entry that the launcher's lookup of the section and key (ignoring
// case) finds, or adds it when there is none, saves the file and reads it
// again, all while holding the file's lock (SettingsLock.h), so that concurrent
// sets take turns. Succeeds only when the key then reads back as the value and
// every other lookup reads as before; otherwise the file is put back as it was,
// unless another program has written it since. Returns the exit status: 0 done,
// 1 refused or failed, 2 unreadable file or an entry that no file can hold.
// Writes what it did to `out`, problems to `err`.
int SetSetting(const SetRequest& request, std::string& out, std::string& err);
