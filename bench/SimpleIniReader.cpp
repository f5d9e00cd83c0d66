// SimpleIni is compiled here from its header, as its authors intend, with the
// same compiler and flags as CIniFile. CSimpleIniA reads char text through
// SI_ConvertA in every configuration; the converters (Debian ships the generic
// one without its ConvertUTF.h) serve only the wide-character classes.
#define SI_IMPLEMENTATION
#define SI_NO_CONVERSION
#include <SimpleIni.h>
#include <list>

#include "SettingsReader.h"

namespace bench {

namespace {

class SimpleIniReader : public SettingsReader {
public:
    bool Load(const char* path) override { return m_ini.LoadFile(path) == SI_OK; }

    std::size_t EntryCount() const override
    {
        CSimpleIniA::TNamesDepend sections;
        m_ini.GetAllSections(sections);
        std::size_t count = 0;
        for (const CSimpleIniA::Entry& section : sections)
            count += static_cast<std::size_t>(m_ini.GetSectionSize(section.pItem));
        return count;
    }

private:
    CSimpleIniA m_ini;
};

}  // namespace

std::unique_ptr<SettingsReader> MakeSimpleIniReader() { return std::make_unique<SimpleIniReader>(); }

}  // namespace bench
