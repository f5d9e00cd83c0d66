#include "WindowPlacement.h"

#include <cstdint>

WindowOrigin PlaceMainWindow(int screenWidth, int screenHeight, int clientWidth, int clientHeight)
{
    // The differences are taken in 64 bits: a configured size near the negative
    // end of the 32-bit range would overflow them, while the halved result always
    // fits again.
    WindowOrigin origin{0, 0};
    if (screenWidth > clientWidth)
        origin.x = static_cast<int>((static_cast<std::int64_t>(screenWidth) - clientWidth) / 2);
    if (screenHeight > clientHeight)
        origin.y = static_cast<int>((static_cast<std::int64_t>(screenHeight) - clientHeight) / 2 - 10);
    return origin;
}
