// The length of a window caption as the launcher takes it: the settings bytes
// converted from the ANSI code page to UTF-16, the title keeping at most
// kLongestCaption units and never half a character.
#pragma once

#include <cstddef>
#include <string>

#include "CodePage.h"

struct CaptionLength {
    std::size_t units = 0;      // UTF-16 units of the whole caption
    std::size_t keptUnits = 0;  // the units the title keeps
    std::size_t keptBytes = 0;  // the bytes of the caption those units come from
};

// Each character is the shortest run of one to four bytes that converts; a
// byte that starts none counts as one unit, the default character the
// conversion puts in its place.
CaptionLength MeasureCaption(const std::string& caption, const CodePageConverter& converter);
