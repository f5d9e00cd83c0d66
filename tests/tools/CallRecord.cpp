#include "CallRecord.h"

#include "OwnedHandle.h"

namespace {

const wchar_t kRecordVariable[] = L"STAND_IN_BROWSER_RECORD";

std::wstring RecordPath()
{
    wchar_t path[MAX_PATH * 4] = {};
    const DWORD length = GetEnvironmentVariableW(kRecordVariable, path, MAX_PATH * 4);
    return length < MAX_PATH * 4 ? std::wstring(path, length) : std::wstring();
}

}  // namespace

// The file is opened for each line and shared, so a test can read it while the
// control runs and every line is on disk as soon as it is recorded.
void RecordLine(const std::string& fields)
{
    static const std::wstring path = RecordPath();
    if (path.empty())
        return;
    const OwnedFileHandle file(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    const std::string line = "{" + fields + "}\n";
    DWORD written = 0;
    WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

std::string JsonWindow(HWND window)
{
    return std::to_string(reinterpret_cast<UINT_PTR>(window));
}
