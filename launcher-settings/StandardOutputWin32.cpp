#include "StandardOutput.h"

#include <cstdint>
#include <cstdio>
#include <io.h>

bool HasStandardOutput()
{
    // No handle, or the run-time's mark for a stream it found no handle for.
    // (Wine gives a process whose starter had closed its standard output the
    // current directory in its place, which only the first write finds out.)
    const std::intptr_t handle = _get_osfhandle(_fileno(stdout));
    return handle != 0 && handle != -1 && handle != -2;
}
