// A Windows handle that the code owns and that is released when it goes out of
// scope, so that no path can forget to close it. Each kind of handle says which
// value means "no handle" and how it is released: process and thread handles
// are NULL when there is none, CreateFile answers INVALID_HANDLE_VALUE, and a
// FindFirstFile search is ended with FindClose rather than CloseHandle; a kind
// this header does not know is described in the same form where it is used.
// Here, in the settings class's folder, so that the launcher, its window, the
// settings class itself and launcher-settings can all use it.
#pragma once

#include <windows.h>

// Process, thread and other kernel object handles.
struct KernelHandleKind {
    static HANDLE None() { return nullptr; }
    static void Release(HANDLE handle) { CloseHandle(handle); }
};

// Files opened with CreateFile.
struct FileHandleKind {
    static HANDLE None() { return INVALID_HANDLE_VALUE; }
    static void Release(HANDLE handle) { CloseHandle(handle); }
};

// Searches started with FindFirstFile.
struct FindHandleKind {
    static HANDLE None() { return INVALID_HANDLE_VALUE; }
    static void Release(HANDLE handle) { FindClose(handle); }
};

template <typename Kind>
class OwnedHandle {
public:
    OwnedHandle() = default;
    // Takes over a handle the caller owns, or Kind's "no handle".
    explicit OwnedHandle(HANDLE owned) : m_handle(owned) {}
    ~OwnedHandle() { Reset(); }

    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    OwnedHandle(OwnedHandle&& other) noexcept : m_handle(other.Detach()) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }

    HANDLE Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != Kind::None(); }

    // Hands the handle over to the caller, who then closes it.
    HANDLE Detach()
    {
        const HANDLE handle = m_handle;
        m_handle = Kind::None();
        return handle;
    }

    // Releases what is held and takes over `owned`.
    void Reset(HANDLE owned = Kind::None())
    {
        if (m_handle != Kind::None())
            Kind::Release(m_handle);
        m_handle = owned;
    }

private:
    HANDLE m_handle = Kind::None();
};

using OwnedKernelHandle = OwnedHandle<KernelHandleKind>;
using OwnedFileHandle = OwnedHandle<FileHandleKind>;
using OwnedFindHandle = OwnedHandle<FindHandleKind>;
