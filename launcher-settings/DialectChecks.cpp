#include "DialectChecks.h"

void CheckDialect(const SettingsFile& file, const std::string& name, SettingsWarnings& warnings)
{
    // In a UTF-16 file every other byte is zero, and what the reader makes of it
    // says nothing about the text: the encoding is the one pitfall to report.
    if (CheckEncoding(file, name, warnings))
        return;
    CheckLineBreaks(file, name, warnings);
    CheckValues(file, name, warnings);
    CheckNames(file, name, warnings);
    CheckLookups(file, name, warnings);
}
