#include "DialectChecks.h"

namespace {

const char kFix[] = "save the file in the ANSI code page the launcher reads (936 on a Chinese Windows), without a "
                    "byte-order mark";

bool StartsWith(const std::string& bytes, const char* mark, std::size_t length)
{
    return bytes.size() >= length && bytes.compare(0, length, mark, length) == 0;
}

}  // namespace

bool CheckEncoding(const SettingsFile& file, const std::string& name, SettingsWarnings& warnings)
{
    const std::string& bytes = file.bytes;
    const char* utf16 = StartsWith(bytes, "\xFF\xFE", 2)   ? "UTF-16 little-endian"
                        : StartsWith(bytes, "\xFE\xFF", 2) ? "UTF-16 big-endian"
                                                           : nullptr;
    if (utf16 != nullptr) {
        warnings.push_back({name, 1, "file-utf16",
                            std::string("the file is ") + utf16 +
                                " (it begins with that byte-order mark): the launcher reads bytes in the ANSI code "
                                "page, so it finds no section or key the file means",
                            kFix});
        return true;
    }
    if (StartsWith(bytes, "\xEF\xBB\xBF", 3)) {
        warnings.push_back({name, 1, "file-utf8-bom",
                            "the file is UTF-8 with a byte-order mark: the launcher reads bytes in the ANSI code page, "
                            "so text beyond ASCII, such as the caption, reads as other characters",
                            kFix});
    }
    return false;
}
