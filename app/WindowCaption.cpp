#include "WindowCaption.h"

#include <cwchar>

namespace {

bool IsHighSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

void CopyWindowCaption(const wchar_t* text, wchar_t* caption)
{
    std::size_t length = std::wcslen(text);
    if (length > kLongestCaption) {
        length = kLongestCaption;
        if (IsHighSurrogate(text[length - 1]) && IsLowSurrogate(text[length]))
            --length;
    }
    std::wmemcpy(caption, text, length);
    caption[length] = L'\0';
}
