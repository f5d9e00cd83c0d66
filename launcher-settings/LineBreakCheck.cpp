#include "DialectChecks.h"

namespace {

struct LineBreakCount {
    std::size_t crLf = 0;
    std::size_t lfAlone = 0;
    std::size_t crAlone = 0;
    std::size_t firstOther = std::string::npos;  // offset of the first break that is not CR LF
};

LineBreakCount CountLineBreaks(const std::string& bytes)
{
    LineBreakCount count;
    for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
        if (bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n') {
            ++count.crLf;
            ++pos;
            continue;
        }
        if (bytes[pos] != '\r' && bytes[pos] != '\n')
            continue;
        ++(bytes[pos] == '\n' ? count.lfAlone : count.crAlone);
        if (count.firstOther == std::string::npos)
            count.firstOther = pos;
    }
    return count;
}

}  // namespace

void CheckLineBreaks(const SettingsFile& file, const std::string& name, SettingsWarnings& warnings)
{
    const LineBreakCount count = CountLineBreaks(file.bytes);
    const std::size_t others = count.lfAlone + count.crAlone;
    if (others == 0)
        return;
    const int line = file.lines->LineOf(count.firstOther);
    const std::string kind = count.lfAlone == 0 ? "CR alone" : count.crAlone == 0 ? "LF alone" : "LF or CR alone";
    const std::string consequence =
        "the reader takes every line break for CR LF, so an unquoted value runs on past an LF alone "
        "and the keys on the following lines are lost";
    if (count.crLf == 0) {
        warnings.push_back({name, line, "line-breaks-not-crlf", "the line breaks are " + kind + ", not CR LF: " + consequence,
                            "save the file with Windows (CR LF) line breaks"});
    } else {
        warnings.push_back({name, line, "line-breaks-mixed",
                            std::to_string(others) + " of " + std::to_string(others + count.crLf) +
                                " line breaks are " + kind + " (the first ends this line), the others CR LF: " +
                                consequence,
                            "save the file with Windows (CR LF) line breaks throughout"});
    }
}
