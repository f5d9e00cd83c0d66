#include "CaptionLength.h"

#include <cwchar>
#include <utility>
#include <vector>

#include "WindowCaption.h"

namespace {

// The longest character of any code page: four bytes (GB18030, UTF-8).
const std::size_t kLongestCharacter = 4;

// What the conversion puts in place of a byte that starts no character of the
// code page: one unit, whatever it is; only the count matters here.
const char16_t kDefaultCharacter = u'?';

}  // namespace

CaptionLength MeasureCaption(const std::string& caption, const CodePageConverter& converter)
{
    // The caption in UTF-16 as the launcher converts it, and after each
    // character the bytes it has come from so far.
    std::wstring wide;
    std::vector<std::pair<std::size_t, std::size_t>> characterEnds;  // (units, bytes) after each character
    std::u16string units;
    for (std::size_t pos = 0; pos < caption.size();) {
        std::size_t bytes = 1;
        units.assign(1, kDefaultCharacter);
        for (std::size_t n = 1; n <= kLongestCharacter && pos + n <= caption.size(); ++n) {
            std::u16string converted;
            if (converter.Convert(caption.data() + pos, n, converted)) {
                bytes = n;
                units = converted;
                break;
            }
        }
        wide.append(units.begin(), units.end());
        pos += bytes;
        characterEnds.emplace_back(wide.size(), pos);
    }
    // What the title keeps is what the launcher's own copy keeps.
    wchar_t title[kCaptionBufferSize];
    CopyWindowCaption(wide.c_str(), title);
    CaptionLength length;
    length.units = wide.size();
    length.keptUnits = std::wcslen(title);
    for (const auto& [unitsSoFar, bytesSoFar] : characterEnds) {
        if (unitsSoFar > length.keptUnits)
            break;
        length.keptBytes = bytesSoFar;
    }
    return length;
}
