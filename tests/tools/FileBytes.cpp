#include "FileBytes.h"

#include "OwnedHandle.h"

#include <windows.h>

bool ReadFileBytes(const std::wstring& path, std::string& bytes)
{
    const OwnedFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    bytes.clear();
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file.Get(), chunk, sizeof chunk, &read, nullptr)) {
        if (read == 0)
            return true;
        bytes.append(chunk, read);
    }
    return false;
}

bool ReplaceFileBytes(const std::wstring& path, const std::string& bytes)
{
    std::wstring partialPath = path + L".partial";
    {
        const OwnedFileHandle file(CreateFileW(partialPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (!file || !WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written != bytes.size())
            return false;
    }
    return MoveFileExW(partialPath.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool AppendFileBytes(const std::wstring& path, const std::string& bytes)
{
    const OwnedFileHandle file(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
}

void WriteStdout(const std::string& bytes)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}
