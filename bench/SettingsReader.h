// The readers the benchmark compares. Each loads a whole settings file and keeps
// every section, key and value in memory until it is destroyed, so that all of
// them do the same work.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace bench {

class SettingsReader {
public:
    virtual ~SettingsReader() = default;
    // Loads and parses the file; false when it cannot be read.
    virtual bool Load(const char* path) = 0;
    // The number of (section, key, value) entries kept.
    virtual std::size_t EntryCount() const = 0;
};

// CIniFile::Load.
std::unique_ptr<SettingsReader> MakeIniFileReader();
// inih's ini_parse, whose handler appends each entry as three std::string to a
// std::vector.
std::unique_ptr<SettingsReader> MakeInihReader();
// SimpleIni's CSimpleIniA::LoadFile, which keeps the entries itself.
std::unique_ptr<SettingsReader> MakeSimpleIniReader();

struct ReaderKind {
    const char* name;
    std::unique_ptr<SettingsReader> (*make)();
};

// The three readers, inih among them as the baseline of the comparison.
const std::vector<ReaderKind>& AllReaders();
const ReaderKind* FindReader(const char* name);

}  // namespace bench
