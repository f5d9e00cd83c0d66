#include "SettingsGenerator.h"

#include <array>
#include <cstdint>

namespace bench {

namespace {

// xorshift64: the same text on every machine and every run.
class Random {
public:
    std::uint64_t Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return m_state;
    }
    std::size_t Below(std::size_t bound) { return static_cast<std::size_t>(Next() % bound); }

private:
    std::uint64_t m_state = 0x9E3779B97F4A7C15u;
};

const std::array<const char*, 10> kSectionNames = {"default", "SYSTEM",  "Server",  "Window", "Patch",
                                                   "Network", "Graphics", "Audio", "Account", "Locale"};

const std::array<const char*, 16> kKeyNames = {"resourceURL", "ClientWndCaption", "SCREENWIDTH", "SCREENHEIGHT",
                                               "WINDOW",      "patchServer",      "LastLogin",   "Volume",
                                               "Language",    "FontName",         "InstallPath", "MaxFps",
                                               "UpdateChannel", "ChatFilter",     "Checksum",    "ProxyHost"};

const std::array<const char*, 12> kWords = {"Tarnhold", "Velmora", "Online", "server", "north", "gate",
                                            "client",   "release", "stable", "beta",   "realm", "Korrin"};

std::string Words(Random& random, std::size_t count)
{
    std::string words;
    for (std::size_t i = 0; i < count; ++i) {
        if (i != 0)
            words += ' ';
        words += kWords[random.Below(kWords.size())];
    }
    return words;
}

std::string Hex(Random& random, std::size_t digits)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (std::size_t i = 0; i < digits; ++i)
        hex += kDigits[random.Below(16)];
    return hex;
}

std::string Value(Random& random)
{
    switch (random.Below(7)) {
    case 0:
        return std::to_string(random.Below(5000));
    case 1:
        return random.Below(2) != 0 ? "true" : "false";
    case 2:
        return Words(random, 1 + random.Below(5));
    case 3:
        return "C:\\Games\\Velmora\\data\\" + Words(random, 1) + "\\pack" + std::to_string(random.Below(1000)) + ".pak";
    case 4:
        return Hex(random, 8 + random.Below(57));
    default:
        return "\"http://patch" + std::to_string(random.Below(10)) + ".velmora.example//" + Words(random, 1) +
               "/launch.php?build=" + std::to_string(random.Below(100000)) + "&lang=" + Hex(random, 4) + "\"";
    }
}

}  // namespace

SettingsText GenerateSettings(std::size_t maxBytes)
{
    Random random;
    SettingsText settings{std::string(), 0};
    for (std::size_t section = 0;; ++section) {
        // Sections are set apart by a blank line.
        std::string block = section != 0 ? "\r\n[" : "[";
        block += kSectionNames[section % kSectionNames.size()] + std::to_string(section) + "]\r\n";
        std::size_t blockEntries = 0;
        const std::size_t keys = 3 + random.Below(30);
        for (std::size_t key = 0; key < keys; ++key) {
            std::string line = std::string(kKeyNames[random.Below(kKeyNames.size())]) + std::to_string(key) + "=" +
                               Value(random) + "\r\n";
            if (settings.text.size() + block.size() + line.size() > maxBytes)
                break;
            block += line;
            ++blockEntries;
        }
        if (blockEntries == 0)
            return settings;
        settings.text += block;
        settings.entries += blockEntries;
    }
}

}  // namespace bench
