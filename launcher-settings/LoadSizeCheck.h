// Settings files too large for the 32-bit launcher to load.
#pragma once

#include "SettingsFile.h"

// Sets aside (SetAsideText) a loaded file that the 32-bit launcher cannot load:
// a text of 1 GiB or more, for which it finds no block of memory, or one whose
// entries take more memory than it has. The check then shows what the
// launcher does without the file, and CheckFilePresent warns.
void SetAsideIfTooLarge(SettingsFile& file);
