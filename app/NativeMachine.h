// The processor this Windows itself runs on.
#pragma once

#include <cstdint>

// The system's own machine, as a program image's file header names it
// (kMachineX86, kMachineX64, kMachineArm64), whatever the launcher's own
// build is: a 32-bit launcher on 64-bit Windows answers x64.
std::uint16_t NativeMachine();
