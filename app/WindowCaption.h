// The window caption taken from the settings. Portable: no Windows header.
#pragma once

#include <cstddef>

// Longest caption kept, in UTF-16 units.
constexpr std::size_t kLongestCaption = 254;

// The caption buffer holds one more element than the longest copy it accepts,
// plus the terminator.
constexpr std::size_t kCaptionBufferSize = kLongestCaption + 2;

// Copies `text` into `caption` (room for kLongestCaption units and the
// terminator). A longer text is cut to kLongestCaption units, or one fewer where
// the cut would separate a surrogate pair.
void CopyWindowCaption(const wchar_t* text, wchar_t* caption);
