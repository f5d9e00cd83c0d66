// The C library's error number nearest to a Windows error code, so that the
// settings code and its tools report file errors the same way on every platform.
#pragma once

#include <windows.h>

namespace ini {

int ErrnoOfWin32Error(DWORD error);

}  // namespace ini
