#include <cstring>

#include "SettingsReader.h"

namespace bench {

const std::vector<ReaderKind>& AllReaders()
{
    static const std::vector<ReaderKind> readers = {
        {"CIniFile", MakeIniFileReader},
        {"inih", MakeInihReader},
        {"SimpleIni", MakeSimpleIniReader},
    };
    return readers;
}

const ReaderKind* FindReader(const char* name)
{
    for (const ReaderKind& reader : AllReaders()) {
        if (std::strcmp(reader.name, name) == 0)
            return &reader;
    }
    return nullptr;
}

}  // namespace bench
