// A COM interface pointer that owns one reference and releases it when it goes
// out of scope, so that no path can forget a Release.
#pragma once

#include <unknwn.h>

template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference the caller already owns.
    explicit ComPtr(Interface* owned) : m_pointer(owned) {}
    ~ComPtr() { Reset(); }

    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    Interface* Get() const { return m_pointer; }
    Interface* operator->() const { return m_pointer; }
    explicit operator bool() const { return m_pointer != nullptr; }

    // The address for an out parameter; whatever was held is released first.
    Interface** Put()
    {
        Reset();
        return &m_pointer;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

    // Holds `shared` with a reference of its own, or nothing when it is null;
    // whatever was held before is released.
    void Share(Interface* shared)
    {
        if (shared)
            shared->AddRef();
        Reset();
        m_pointer = shared;
    }

    // Hands the reference over to the caller.
    Interface* Detach()
    {
        Interface* pointer = m_pointer;
        m_pointer = nullptr;
        return pointer;
    }

    void Reset()
    {
        if (m_pointer) {
            m_pointer->Release();
            m_pointer = nullptr;
        }
    }

private:
    Interface* m_pointer = nullptr;
};
