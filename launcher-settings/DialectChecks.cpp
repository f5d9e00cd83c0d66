#include "DialectChecks.h"

void CheckDialect(const SettingsFile& file, const std::string& name, SettingsWarnings& warnings)
{
    CheckLineBreaks(file, name, warnings);
    CheckValues(file, name, warnings);
    CheckNames(file, name, warnings);
    CheckLookups(file, name, warnings);
}
