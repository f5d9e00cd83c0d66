#include "ComModule.h"

// The linker places this symbol at the start of the image that contains it, so
// its address is that module's instance handle, known even before WinMain.
extern "C" IMAGE_DOS_HEADER __ImageBase;

CComModule::CComModule() : m_instance(reinterpret_cast<HINSTANCE>(&__ImageBase)) {}

// The hosting layer needs this object before WinMain runs; it lives here, with
// the layer, so that no program that links the layer has to supply it.
CComModule _Module;
