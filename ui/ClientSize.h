// The size of the main window's client area as window mode reads it from
// window.ini. Portable: no Windows header.
#pragma once

class CIniFile;

struct ClientSize {
    int width;
    int height;
};

// SCREENWIDTH and SCREENHEIGHT of [SYSTEM] in `windowIni`, looked up ignoring
// case and read as GetInt reads them; 0 for a missing section or key (and so
// for a document that did not load).
ClientSize ClientSizeOf(CIniFile& windowIni);
