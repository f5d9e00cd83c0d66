#include "LookupChecks.h"

#include "DialectRules.h"
#include "FuzzCheck.h"

namespace fuzz {

namespace {

// Names reach the class as zero-terminated strings, so they end at a zero byte.
std::string AsCString(const std::string& name) { return name.c_str(); }

std::string WithCaseSwapped(std::string name)
{
    for (char& byte : name) {
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z'))
            byte = static_cast<char>(byte ^ 0x20);
    }
    return name;
}

void CheckLookup(CIniFile& ini, const std::string& section, const std::string& key, bool ignoreCase)
{
    const ExpectedLookup expected = ExpectLookup(ini, section, key, ignoreCase);
    Require(ini.SelectSection(section.c_str(), ignoreCase) == expected.sectionFound,
            "SelectSection finds a section exactly when a header matches");
    Require(ini.CurrentSection() == expected.section, "SelectSection makes the first matching header current");
    Require(ini.GetValue(key.c_str(), ignoreCase) == expected.value,
            "GetValue returns the first matching entry of the current section");
    const char* text = expected.sectionFound ? expected.value : nullptr;
    Require(ini.GetString(section.c_str(), key.c_str(), ignoreCase) == text,
            "GetString returns the first matching entry of the chosen section");
    Require(ini.GetInt(section.c_str(), key.c_str(), ignoreCase) == (text != nullptr ? ExpectedInt(text) : 0),
            "GetInt reads the value's leading number, clamped to 32 bits");
    Require(ini.CurrentSection() == expected.section, "GetString and GetInt choose the same section");
}

}  // namespace

ExpectedLookup ExpectLookup(const CIniFile& ini, const std::string& section, const std::string& key, bool ignoreCase)
{
    ExpectedLookup expected{false, ini.CurrentSection(), nullptr};
    for (const std::string& name : ini.Sections()) {
        if (SameName(name, section, ignoreCase)) {
            expected = {true, name, nullptr};
            break;
        }
    }
    for (const IniEntry* entry : ini.Entries()) {
        if (entry->section == expected.section && SameName(entry->key, key, ignoreCase)) {
            expected.value = entry->value.c_str();
            break;
        }
    }
    return expected;
}

void CheckLookups(CIniFile& ini, FuzzedDataProvider& input)
{
    const int lookups = input.ConsumeIntegralInRange(0, 8);
    for (int i = 0; i < lookups; ++i) {
        std::string section;
        std::string key;
        if (!ini.Entries().empty() && input.ConsumeBool()) {
            const IniEntry* entry = ini.Entries()[input.ConsumeIntegralInRange<std::size_t>(0, ini.Entries().size() - 1)];
            section = entry->section;
            key = entry->key;
        } else {
            section = input.ConsumeRandomLengthString(16);
            key = input.ConsumeRandomLengthString(16);
        }
        if (input.ConsumeBool()) {
            section = WithCaseSwapped(section);
            key = WithCaseSwapped(key);
        }
        for (const bool ignoreCase : {false, true})
            CheckLookup(ini, AsCString(section), AsCString(key), ignoreCase);
    }
}

}  // namespace fuzz
