#include <ini.h>
#include <string>
#include <vector>

#include "SettingsReader.h"

namespace bench {

namespace {

struct Entry {
    std::string section;
    std::string key;
    std::string value;
};

class InihReader : public SettingsReader {
public:
    bool Load(const char* path) override { return ini_parse(path, &InihReader::Keep, &m_entries) == 0; }
    std::size_t EntryCount() const override { return m_entries.size(); }

private:
    static int Keep(void* entries, const char* section, const char* key, const char* value)
    {
        static_cast<std::vector<Entry>*>(entries)->push_back(Entry{section, key, value});
        return 1;
    }

    std::vector<Entry> m_entries;
};

}  // namespace

std::unique_ptr<SettingsReader> MakeInihReader() { return std::make_unique<InihReader>(); }

}  // namespace bench
