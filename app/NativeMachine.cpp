#include "NativeMachine.h"

#include <windows.h>

#include "ProgramImage.h"

namespace {

using IsWow64Process2Function = BOOL(WINAPI*)(HANDLE process, USHORT* processMachine, USHORT* nativeMachine);

// IsWow64Process2 where this Windows has it (Windows 10 1709 and later); looked
// up at run time, since an import of it would stop the launcher loading on
// older systems.
IsWow64Process2Function FindIsWow64Process2()
{
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (!kernel)
        return nullptr;
    // A function pointer of unknown type becomes one of the right type through
    // the generic one, which keeps the compiler's cast check quiet.
    return reinterpret_cast<IsWow64Process2Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(kernel, "IsWow64Process2")));
}

}  // namespace

std::uint16_t NativeMachine()
{
    // Only IsWow64Process2 tells an x64 program emulated on ARM64 that the system
    // is ARM64; GetNativeSystemInfo answers x64 there.
    if (const IsWow64Process2Function isWow64Process2 = FindIsWow64Process2()) {
        USHORT processMachine = 0;
        USHORT nativeMachine = 0;
        if (isWow64Process2(GetCurrentProcess(), &processMachine, &nativeMachine))
            return nativeMachine;
    }
    SYSTEM_INFO system = {};
    GetNativeSystemInfo(&system);
    switch (system.wProcessorArchitecture) {
    case PROCESSOR_ARCHITECTURE_AMD64:
        return kMachineX64;
    case PROCESSOR_ARCHITECTURE_ARM64:
        return kMachineArm64;
    default:
        // x86 itself, or a processor named nowhere here: every Windows the launcher
        // runs on runs x86 programs.
        return kMachineX86;
    }
}
