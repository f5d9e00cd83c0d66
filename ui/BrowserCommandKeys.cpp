#include "BrowserCommandKeys.h"

namespace {

// The virtual-key codes concerned, as Windows numbers them.
constexpr unsigned kKeyLeft = 0x25;
constexpr unsigned kKeyRight = 0x27;
constexpr unsigned kBrowserBack = 0xA6;
constexpr unsigned kBrowserForward = 0xA7;
constexpr unsigned kBrowserSearch = 0xAA;
constexpr unsigned kBrowserFavorites = 0xAB;
constexpr unsigned kBrowserHome = 0xAC;

bool IsBrowserKey(unsigned key)
{
    return key == kBrowserBack || key == kBrowserForward || key == kBrowserHome || key == kBrowserSearch ||
           key == kBrowserFavorites;
}

// Ctrl+N new window, Ctrl+O and Ctrl+L the open-address box, Ctrl+P print.
bool IsWindowOrDialogLetter(unsigned key)
{
    return key == 'N' || key == 'O' || key == 'L' || key == 'P';
}

}  // namespace

bool IsBrowserCommandKey(const KeyPress& key)
{
    if (IsBrowserKey(key.virtualKey))
        return true;
    if (key.control && !key.alt)
        return IsWindowOrDialogLetter(key.virtualKey);
    if (key.alt && !key.control)
        return key.virtualKey == kKeyLeft || key.virtualKey == kKeyRight;
    return false;
}
