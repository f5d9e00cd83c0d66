// The keys with which the web browser control would take the player away from
// the launcher's one page: a separate browser window without the launcher's
// session, a box that opens any address, printing, and the history. Portable:
// no Windows header.
#pragma once

// A key press as the control's keyboard handling sees it: the virtual-key code
// (Windows' VK_ values) and the modifier keys held with it.
struct KeyPress {
    unsigned virtualKey;
    bool control;
    bool alt;
    bool shift;
};

// True for the key presses the host keeps from the browser: Ctrl+N, Ctrl+O,
// Ctrl+L and Ctrl+P, with or without Shift (Ctrl+Shift+P opens a private
// window); Alt+Left and Alt+Right; and the keyboard's Browser Back, Forward,
// Home, Search and Favorites keys. A Ctrl combination with Alt held too is left
// alone: that is AltGr, which types characters on many keyboards. Every other
// key stays with the page.
bool IsBrowserCommandKey(const KeyPress& key);
