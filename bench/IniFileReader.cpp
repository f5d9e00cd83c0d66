#include "IniFile.h"
#include "SettingsReader.h"

namespace bench {

namespace {

class IniFileReader : public SettingsReader {
public:
    bool Load(const char* path) override { return m_ini.Load(path); }
    std::size_t EntryCount() const override { return m_ini.Entries().size(); }

private:
    CIniFile m_ini;
};

}  // namespace

std::unique_ptr<SettingsReader> MakeIniFileReader() { return std::make_unique<IniFileReader>(); }

}  // namespace bench
