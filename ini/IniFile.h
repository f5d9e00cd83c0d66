// CIniFile: one INI settings document in memory, read from a file or a string,
// looked up by section and key, edited and written back.
//
// The document is bytes: no code page, no byte-order mark, letter case kept as
// written. Lookups walk the lists in order; nothing is indexed or merged, so
// duplicate sections and keys stay as they are in the text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One key of the document, with copies of its section name, key and value.
struct IniEntry {
    std::string section;
    std::string key;
    std::string value;
};

class CIniFile {
public:
    CIniFile();
    // Not virtual: each user owns a concrete object and never deletes it through
    // a base pointer.
    ~CIniFile();

    CIniFile(const CIniFile&) = delete;
    CIniFile& operator=(const CIniFile&) = delete;

    // The operations are virtual and call one another through these slots, in
    // this order, so that a derived class replacing one changes the others.
    virtual bool Parse();
    virtual void Clear();
    virtual bool Load(const char* fileName);
    virtual bool LoadFromString(const char* text);
    virtual bool SelectSection(const char* section, bool ignoreCase);
    virtual const char* GetValue(const char* key, bool ignoreCase);
    virtual const char* GetString(const char* section, const char* key, bool ignoreCase);
    virtual int GetInt(const char* section, const char* key, bool ignoreCase);
    virtual bool SetValue(const char* section, const char* key, const char* value);
    virtual bool Save();
    virtual bool AddValue(const char* section, const char* key, const char* value);

    // Read-only views for tools and tests.
    const std::vector<std::string>& Sections() const { return m_sections; }
    const std::vector<IniEntry*>& Entries() const { return m_entries; }
    const std::string& CurrentSection() const { return m_currentSection; }
    // The text that Parse reads: Length() bytes and a zero byte (null and 0 on a
    // new object). A successful load replaces both. A failed load never touches
    // the buffer: when the file cannot be opened (missing, no permission, a link
    // loop) or is empty, or the string is empty, Length() becomes 0, so the
    // buffer's earlier text no longer counts; on any other failure (not a
    // regular file, too large, no memory, the file changed or failed while it
    // was read) Length() stays as well, and Text() is still the earlier text whole.
    const char* Text() const { return m_buffer; }
    std::int32_t Length() const { return m_length; }

private:
    std::string m_fileName;
    char* m_buffer;
    std::int32_t m_length;
    std::string m_currentSection;
    std::vector<std::string> m_sections;
    std::vector<IniEntry*> m_entries;
};
