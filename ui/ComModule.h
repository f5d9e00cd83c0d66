// The process-wide module object that the ActiveX hosting layer requires.
#pragma once

#include <windows.h>

// Knows the module that holds the hosting layer; the host window class is
// registered for that module. There is exactly one object of it, defined by
// the hosting layer and constructed before WinMain runs.
class CComModule {
public:
    CComModule();

    HINSTANCE GetModuleInstance() const { return m_instance; }

private:
    HINSTANCE m_instance;
};

// The program's one module object.
extern CComModule _Module;
