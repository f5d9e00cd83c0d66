// Where the main window goes on the screen. Portable: no Windows header.
#pragma once

struct WindowOrigin {
    int x;
    int y;
};

// The top-left corner for a client area of the configured size on a screen of
// the given size: centred, and lifted by 10 pixels, on each axis where the screen
// is strictly larger; 0 on an axis where it is not.
WindowOrigin PlaceMainWindow(int screenWidth, int screenHeight, int clientWidth, int clientHeight);
