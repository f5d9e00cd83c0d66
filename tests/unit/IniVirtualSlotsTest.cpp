// The operations call one another through their virtual slots, in a fixed slot
// order, so a derived class that replaces one changes the others.
#include <cstdint>
#include <cstring>

#include <gtest/gtest.h>

#include "IniTestSupport.h"

namespace {

class RecordingIni : public CIniFile {
public:
    std::vector<std::string> calls;

    bool Parse() override { return Record("Parse"), CIniFile::Parse(); }
    void Clear() override { Record("Clear"), CIniFile::Clear(); }
    bool SelectSection(const char* section, bool ignoreCase) override
    {
        return Record("SelectSection"), CIniFile::SelectSection(section, ignoreCase);
    }
    const char* GetValue(const char* key, bool ignoreCase) override
    {
        return Record("GetValue"), CIniFile::GetValue(key, ignoreCase);
    }
    const char* GetString(const char* section, const char* key, bool ignoreCase) override
    {
        return Record("GetString"), CIniFile::GetString(section, key, ignoreCase);
    }

private:
    void Record(const char* name) { calls.push_back(name); }
};

using Calls = std::vector<std::string>;

TEST(VirtualSlots, LoadingParsesAndParsingClears)
{
    RecordingIni ini;
    ASSERT_TRUE(ini.LoadFromString("[S]\r\nK=1\r\n"));
    EXPECT_EQ(ini.calls, (Calls{"Parse", "Clear"}));
}

TEST(VirtualSlots, TypedReadsGoThroughSelectSectionAndGetValue)
{
    RecordingIni ini;
    ASSERT_TRUE(ini.LoadFromString("[S]\r\nK=1\r\n"));
    ini.calls.clear();
    EXPECT_EQ(ini.GetInt("S", "K", true), 1);
    EXPECT_EQ(ini.calls, (Calls{"GetString", "SelectSection", "GetValue"}));
}

TEST(VirtualSlots, AddValueLooksTheKeyUpThroughGetString)
{
    RecordingIni ini;
    ASSERT_TRUE(ini.LoadFromString("[S]\r\nK=1\r\n"));
    ini.calls.clear();
    EXPECT_FALSE(ini.AddValue("S", "k", "2"));
    EXPECT_EQ(ini.calls, (Calls{"GetString", "SelectSection", "GetValue"}));
}

class NeverParses : public CIniFile {
public:
    bool Parse() override { return false; }
};

TEST(VirtualSlots, ReplacedParseDecidesTheResultOfLoading)
{
    NeverParses ini;
    EXPECT_FALSE(ini.LoadFromString("[S]\r\nK=1\r\n"));
    EXPECT_TRUE(ini.Entries().empty());
}

#if defined(__GXX_ABI_VERSION) && (defined(__x86_64__) || defined(__i386__))
// In the Itanium C++ ABI a pointer to a virtual member function holds one plus
// the byte offset of the function's slot in the virtual table.
template <typename Member>
std::size_t SlotOf(Member member)
{
    std::uintptr_t words[2];
    static_assert(sizeof(Member) == sizeof words);
    std::memcpy(words, &member, sizeof words);
    return (words[0] - 1) / sizeof(void*);
}

TEST(VirtualSlots, AreInTheirFixedOrder)
{
    EXPECT_EQ(SlotOf(&CIniFile::Parse), 0u);
    EXPECT_EQ(SlotOf(&CIniFile::Clear), 1u);
    EXPECT_EQ(SlotOf(&CIniFile::Load), 2u);
    EXPECT_EQ(SlotOf(&CIniFile::LoadFromString), 3u);
    EXPECT_EQ(SlotOf(&CIniFile::SelectSection), 4u);
    EXPECT_EQ(SlotOf(&CIniFile::GetValue), 5u);
    EXPECT_EQ(SlotOf(&CIniFile::GetString), 6u);
    EXPECT_EQ(SlotOf(&CIniFile::GetInt), 7u);
    EXPECT_EQ(SlotOf(&CIniFile::SetValue), 8u);
    EXPECT_EQ(SlotOf(&CIniFile::Save), 9u);
    EXPECT_EQ(SlotOf(&CIniFile::AddValue), 10u);
}
#endif

}  // namespace
