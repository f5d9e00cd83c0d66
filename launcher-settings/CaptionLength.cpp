#include "CaptionLength.h"

#include "WindowCaption.h"

namespace {

// The longest character of any code page: four bytes (GB18030, UTF-8).
const std::size_t kLongestCharacter = 4;

}  // namespace

CaptionLength MeasureCaption(const std::string& caption, const CodePageConverter& converter)
{
    CaptionLength length;
    bool keeping = true;
    std::u16string units;
    for (std::size_t pos = 0; pos < caption.size();) {
        std::size_t bytes = 1;
        std::size_t count = 1;
        for (std::size_t n = 1; n <= kLongestCharacter && pos + n <= caption.size(); ++n) {
            if (converter.Convert(caption.data() + pos, n, units)) {
                bytes = n;
                count = units.size();
                break;
            }
        }
        length.units += count;
        keeping = keeping && length.keptUnits + count <= kLongestCaption;
        if (keeping) {
            length.keptUnits += count;
            length.keptBytes += bytes;
        }
        pos += bytes;
    }
    return length;
}
