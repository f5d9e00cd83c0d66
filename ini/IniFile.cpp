#include "IniFile.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "IniText.h"
#include "ReadWholeFile.h"
#include "ReplaceFile.h"

namespace {

const std::int64_t kLargestText = INT32_MAX;

// Bytes that may end a bare value: the semicolon, CR, the first slash of a pair,
// and the zero byte, which marks the end of the text unless the text holds it.
constexpr std::array<bool, 256> kValueStops = [] {
    std::array<bool, 256> stops{};
    stops[';'] = stops['\r'] = stops['/'] = stops[0] = true;
    return stops;
}();

// Writes every entry in the saved form (see ini::AppendSavedEntry). The caller
// has checked that every entry can be written.
bool WriteEntries(std::FILE* file, const std::vector<IniEntry*>& entries)
{
    std::string previousSection;
    std::string record;
    for (const IniEntry* entry : entries) {
        record.clear();
        ini::AppendSavedEntry(record, entry->section, entry->key, entry->value, previousSection);
        if (std::fwrite(record.data(), 1, record.size(), file) != record.size())
            return false;
    }
    return true;
}

bool CanWriteAll(const std::vector<IniEntry*>& entries)
{
    for (const IniEntry* entry : entries) {
        if (!ini::IsWritableSection(entry->section) || !ini::IsWritableKey(entry->key) ||
            ini::FormOfValue(entry->value) == ini::ValueForm::Unwritable)
            return false;
    }
    return true;
}

}  // namespace

CIniFile::CIniFile() : m_buffer(nullptr), m_length(0) {}

CIniFile::~CIniFile()
{
    delete[] m_buffer;
    CIniFile::Clear();
}

void CIniFile::Clear()
{
    for (IniEntry* entry : m_entries)
        delete entry;
    m_entries.clear();
    m_sections.clear();
}

bool CIniFile::Load(const char* fileName)
{
    m_fileName = fileName;
    // The new text is read completely, through one handle, before anything of
    // the old document goes: a load is the file's whole content at one moment,
    // or false with the previous document kept.
    std::unique_ptr<char[]> text;
    const ini::FileRead read = ini::ReadWholeFile(fileName, kLargestText, text);
    if (read.failure == ini::ReadFailure::CannotOpen || (read.failure == ini::ReadFailure::None && read.size == 0)) {
        m_length = 0;
        return false;
    }
    if (read.failure != ini::ReadFailure::None)
        return false;
    delete[] m_buffer;
    m_buffer = text.release();
    m_length = static_cast<std::int32_t>(read.size);
    return Parse();
}

bool CIniFile::LoadFromString(const char* text)
{
    m_fileName.clear();
    const std::size_t length = std::strlen(text);
    if (length > static_cast<std::size_t>(kLargestText))
        return false;
    if (length == 0) {
        m_length = 0;
        return false;
    }
    // Like a file that cannot be read whole, a text that cannot be copied keeps
    // the previous buffer and its length together.
    char* copy = new (std::nothrow) char[length + 1];
    if (copy == nullptr)
        return false;
    std::memcpy(copy, text, length + 1);
    delete[] m_buffer;
    m_buffer = copy;
    m_length = static_cast<std::int32_t>(length);
    return Parse();
}

bool CIniFile::Parse()
{
    Clear();
    // m_buffer holds m_length bytes and a zero byte behind them, so looking one
    // byte ahead never leaves the buffer.
    const char* text = m_buffer;
    const std::size_t length = static_cast<std::size_t>(m_length);
    std::size_t pos = 0;
    bool betweenItems = true;
    while (pos < length) {
        const unsigned char byte = static_cast<unsigned char>(text[pos]);
        if (betweenItems) {
            if (byte == '\r' || byte == '\n') {
                // Any line break is taken to be a CR LF pair.
                pos += 2;
            } else if (byte == ' ') {
                pos += 1;
            } else if (byte == '/' && text[pos + 1] == '/') {
                const void* cr = std::memchr(text + pos, '\r', length - pos);
                pos = cr != nullptr ? static_cast<const char*>(cr) - text + 2 : length;
            } else if (byte == '/' && text[pos + 1] == '*') {
                // The search starts at the opening slash, so "/*/" closes itself.
                std::size_t star = pos;
                while (star + 1 < length && !(text[star] == '*' && text[star + 1] == '/'))
                    ++star;
                pos = star + 1 < length ? star + 2 : length;
            } else if (byte == '[') {
                const std::size_t nameStart = pos + 1;
                const void* close = std::memchr(text + nameStart, ']', length - nameStart);
                const std::size_t nameEnd = close != nullptr ? static_cast<const char*>(close) - text : length;
                m_sections.emplace_back(text + nameStart, nameEnd - nameStart);
                m_currentSection = m_sections.back();
                // The closing bracket is skipped by the key search.
                pos = nameEnd;
                betweenItems = false;
            } else {
                betweenItems = false;
            }
            continue;
        }
        if (byte == '[') {
            betweenItems = true;
            continue;
        }
        if (!ini::IsAsciiAlnum(byte)) {
            ++pos;
            continue;
        }
        // An entry: the key runs to the next equals sign, whatever lies between.
        const std::size_t keyStart = pos;
        const void* equals = std::memchr(text + keyStart, '=', length - keyStart);
        const std::size_t keyEnd = equals != nullptr ? static_cast<const char*>(equals) - text : length;
        std::size_t valueStart = keyEnd < length ? keyEnd + 1 : length;
        while (valueStart < length && text[valueStart] == ' ')
            ++valueStart;
        std::size_t valueEnd;
        if (valueStart < length && text[valueStart] == '"') {
            ++valueStart;
            const void* quote = std::memchr(text + valueStart, '"', length - valueStart);
            valueEnd = quote != nullptr ? static_cast<const char*>(quote) - text : length;
        } else {
            valueEnd = valueStart;
            for (;;) {
                const unsigned char b = static_cast<unsigned char>(text[valueEnd]);
                if (kValueStops[b]) {
                    if (b == 0 ? valueEnd >= length : (b != '/' || text[valueEnd + 1] == '/'))
                        break;
                }
                ++valueEnd;
            }
        }
        std::unique_ptr<IniEntry> entry(new IniEntry{m_currentSection, std::string(text + keyStart, keyEnd - keyStart),
                                                     std::string(text + valueStart, valueEnd - valueStart)});
        m_entries.push_back(entry.get());
        entry.release();
        pos = valueEnd;
    }
    return true;
}

bool CIniFile::SelectSection(const char* section, bool ignoreCase)
{
    const std::size_t sectionLength = std::strlen(section);
    for (const std::string& name : m_sections) {
        if (ini::NamesEqual(name, section, sectionLength, ignoreCase)) {
            m_currentSection = name;
            return true;
        }
    }
    return false;
}

const char* CIniFile::GetValue(const char* key, bool ignoreCase)
{
    const std::size_t keyLength = std::strlen(key);
    for (const IniEntry* entry : m_entries) {
        if (entry->section == m_currentSection && ini::NamesEqual(entry->key, key, keyLength, ignoreCase))
            return entry->value.c_str();
    }
    return nullptr;
}

const char* CIniFile::GetString(const char* section, const char* key, bool ignoreCase)
{
    if (!SelectSection(section, ignoreCase))
        return nullptr;
    return GetValue(key, ignoreCase);
}

int CIniFile::GetInt(const char* section, const char* key, bool ignoreCase)
{
    const char* text = GetString(section, key, ignoreCase);
    return text != nullptr ? ini::ParseLeadingInt32(text) : 0;
}

bool CIniFile::SetValue(const char* section, const char* key, const char* value)
{
    if (section == nullptr || key == nullptr || value == nullptr)
        return false;
    const std::size_t sectionLength = std::strlen(section);
    const std::size_t keyLength = std::strlen(key);
    for (IniEntry* entry : m_entries) {
        if (ini::NamesEqual(entry->section, section, sectionLength, false) &&
            ini::NamesEqual(entry->key, key, keyLength, true)) {
            entry->value = value;
            return true;
        }
    }
    return false;
}

bool CIniFile::AddValue(const char* section, const char* key, const char* value)
{
    if (section == nullptr || key == nullptr || value == nullptr)
        return false;
    if (GetString(section, key, true) != nullptr)
        return false;
    std::unique_ptr<IniEntry> entry(new IniEntry{section, key, value});
    m_entries.push_back(entry.get());
    entry.release();
    return true;
}

bool CIniFile::Save()
{
    // Nothing is written unless every entry reads back as it stands, and the old
    // file is replaced only once the new one is complete on disk.
    if (m_fileName.empty() || !CanWriteAll(m_entries)) {
        errno = EINVAL;
        return false;
    }
    ini::Replacement replacement;
    if (!ini::BeginReplace(m_fileName, replacement))
        return false;
    // A failed write leaves the replacement to remove its temporary file.
    if (!WriteEntries(replacement.file, m_entries))
        return false;
    return ini::CommitReplace(replacement);
}
