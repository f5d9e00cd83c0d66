// An owned kernel handle that is closed when it goes out of scope.
#pragma once

#include <windows.h>

// Treats both NULL and INVALID_HANDLE_VALUE as "no handle", since CreateFileW
// reports failure with the one and CreateProcessW's handles are never the other.
class ScopedHandle {
public:
    explicit ScopedHandle(HANDLE handle = nullptr) : m_handle(handle) {}
    ~ScopedHandle()
    {
        if (IsValid())
            CloseHandle(m_handle);
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;

    bool IsValid() const { return m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};
