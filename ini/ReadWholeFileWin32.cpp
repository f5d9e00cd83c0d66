#include "ReadWholeFile.h"

#include <cerrno>
#include <new>
#include <windows.h>

#include "OwnedHandle.h"
#include "Win32Errors.h"

namespace ini {

namespace {

// Reads up to `count` bytes; fewer only at the end of the file. False on an error.
bool ReadFully(HANDLE file, char* buffer, std::size_t count, std::size_t& done)
{
    done = 0;
    while (done < count) {
        const std::size_t left = count - done;
        const DWORD chunk = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
        DWORD got = 0;
        if (!ReadFile(file, buffer + done, chunk, &got, nullptr))
            return false;
        if (got == 0)
            break;
        done += got;
    }
    return true;
}

FileRead ReadOpenFile(HANDLE file, std::int64_t largest, std::unique_ptr<char[]>& text)
{
    FileRead result;
    // Consoles, pipes and devices are not settings files and may block.
    if (GetFileType(file) != FILE_TYPE_DISK)
        return {ReadFailure::NotRegularFile, 0, -1};
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size))
        return {ReadFailure::ReadError, ErrnoOfWin32Error(GetLastError()), -1};
    result.size = size.QuadPart;
    if (result.size > largest) {
        result.failure = ReadFailure::TooLarge;
        return result;
    }
    const std::size_t count = static_cast<std::size_t>(result.size);
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[count + 1]);
    if (!buffer) {
        result.failure = ReadFailure::NoMemory;
        return result;
    }
    std::size_t got = 0;
    std::size_t more = 0;
    char extra;
    // One byte more tells a file that grew after it was measured.
    if (!ReadFully(file, buffer.get(), count, got) || (got == count && !ReadFully(file, &extra, 1, more))) {
        result.failure = ReadFailure::ReadError;
        result.error = ErrnoOfWin32Error(GetLastError());
        return result;
    }
    if (got != count || more != 0) {
        result.failure = ReadFailure::SizeChanged;
        return result;
    }
    buffer[count] = '\0';
    text = std::move(buffer);
    return result;
}

}  // namespace

FileRead ReadWholeFile(const char* fileName, std::int64_t largest, std::unique_ptr<char[]>& text)
{
    // Others may go on reading, writing, renaming or replacing the file meanwhile;
    // the size check below tells whether what was read is whole.
    const OwnedFileHandle file(CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        // A directory cannot be opened as a file; say so rather than "access denied".
        const DWORD attributes = GetFileAttributesA(fileName);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            return {ReadFailure::NotRegularFile, 0, -1};
        return {ReadFailure::CannotOpen, ErrnoOfWin32Error(error), -1};
    }
    return ReadOpenFile(file.Get(), largest, text);
}

}  // namespace ini
