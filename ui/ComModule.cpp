#include "ComModule.h"

// The linker places this symbol at the start of the image that contains it, so
// its address is that module's instance handle, known even before WinMain.
extern "C" IMAGE_DOS_HEADER __ImageBase;

CComModule::CComModule() : m_instance(reinterpret_cast<HINSTANCE>(&__ImageBase)) {}
