// Changing and adding entries, and writing the document back to its file.
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

#include <random>

#include <gtest/gtest.h>

#include "IniTestSupport.h"
#include "TempDir.h"

namespace {

const char kSystem[] = "[SYSTEM]\r\nWINDOW=1\r\n";

// A document loaded from a file in a scratch directory, ready to be saved back.
struct SavedFile {
    TempDir dir;
    std::string path;
    CIniFile ini;

    explicit SavedFile(const std::string& text) : path(dir.Write("settings.ini", text)) { ini.Load(path.c_str()); }
    std::string Text() const { return TempDir::Read(path); }
};

Triples Reload(const std::string& path)
{
    CIniFile fresh;
    fresh.Load(path.c_str());
    return EntriesOf(fresh);
}

TEST(SetValue, ChangesTheFirstEntryWithTheKeyInAnyCase)
{
    CIniFile ini;
    ASSERT_TRUE(ini.LoadFromString("[SYSTEM]\r\nWINDOW=1\r\nWINDOW=2\r\n"));
    EXPECT_TRUE(ini.SetValue("SYSTEM", "window", "0"));
    EXPECT_EQ(EntriesOf(ini), (Triples{{"SYSTEM", "WINDOW", "0"}, {"SYSTEM", "WINDOW", "2"}}));
    EXPECT_EQ(ini.CurrentSection(), "SYSTEM");
}

TEST(SetValue, RefusesWithoutChangingAnything)
{
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } refusals[] = {
        {"system", "WINDOW", "0"},  // section case counts
        {"SYSTEM", "MISSING", "0"},
        {nullptr, "WINDOW", "0"},
        {"SYSTEM", nullptr, "0"},
        {"SYSTEM", "WINDOW", nullptr},
    };
    for (const auto& refusal : refusals) {
        CIniFile ini;
        ASSERT_TRUE(ini.LoadFromString(kSystem));
        EXPECT_FALSE(ini.SetValue(refusal.section, refusal.key, refusal.value));
        EXPECT_EQ(EntriesOf(ini), (Triples{{"SYSTEM", "WINDOW", "1"}}));
    }
}

TEST(AddValue, AppendsANewKey)
{
    CIniFile ini;
    ASSERT_TRUE(ini.LoadFromString(kSystem));
    EXPECT_TRUE(ini.AddValue("SYSTEM", "MODE", "2"));
    EXPECT_EQ(EntriesOf(ini), (Triples{{"SYSTEM", "WINDOW", "1"}, {"SYSTEM", "MODE", "2"}}));
    EXPECT_EQ(ini.Sections().size(), 1u);
    EXPECT_STREQ(ini.GetString("SYSTEM", "MODE", true), "2");
}

TEST(AddValue, RefusesAnExistingKeyFoundInAnyCase)
{
    CIniFile ini;
    ASSERT_TRUE(ini.LoadFromString(kSystem));
    EXPECT_FALSE(ini.AddValue("system", "window", "2"));
    EXPECT_FALSE(ini.AddValue(nullptr, "K", "V"));
    EXPECT_FALSE(ini.AddValue("S", nullptr, "V"));
    EXPECT_FALSE(ini.AddValue("S", "K", nullptr));
    EXPECT_EQ(EntriesOf(ini), (Triples{{"SYSTEM", "WINDOW", "1"}}));
}

TEST(AddValue, DoesNotSeeKeysOfSectionsTheDocumentLacks)
{
    CIniFile ini;
    EXPECT_TRUE(ini.AddValue("SYSTEM", "WINDOW", "1"));
    EXPECT_TRUE(ini.AddValue("SYSTEM", "WINDOW", "1"));
    EXPECT_EQ(ini.Entries().size(), 2u);
    EXPECT_TRUE(ini.Sections().empty());
    EXPECT_EQ(ini.GetString("SYSTEM", "WINDOW", true), nullptr);
}

// What Save writes for a list of entries.
struct SaveCase {
    const char* name;
    Triples entries;
    std::string file;
};

class SaveCases : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveCases, WritesTheEntriesAndTheyReadBack)
{
    TempDir dir;
    const std::string path = dir.Path("out.ini");
    CIniFile ini;
    ini.Load(path.c_str());
    for (const Triple& entry : GetParam().entries)
        ASSERT_TRUE(ini.AddValue(entry[0].c_str(), entry[1].c_str(), entry[2].c_str()));
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(TempDir::Read(path), GetParam().file);
    EXPECT_EQ(Reload(path), GetParam().entries);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"out.ini"});
}

INSTANTIATE_TEST_SUITE_P(
    Table, SaveCases,
    ::testing::Values(
        SaveCase{"OneEntry", {{"SYSTEM", "WINDOW", "1"}}, "[SYSTEM]\r\nWINDOW=1\r\n"},
        SaveCase{"HeaderPerRunOfASection",
                 {{"A", "k1", "1"}, {"A", "k2", "2"}, {"B", "k3", "3"}, {"A", "k4", "4"}},
                 "[A]\r\nk1=1\r\nk2=2\r\n[B]\r\nk3=3\r\n[A]\r\nk4=4\r\n"},
        SaveCase{"EmptySectionFirstHasNoHeader", {{"", "k", "1"}, {"S", "l", "2"}, {"", "m", "3"}},
                 "k=1\r\n[S]\r\nl=2\r\n[]\r\nm=3\r\n"},
        SaveCase{"OrdinaryValuesStayBare",
                 {{"S", "a", ""}, {"S", "b", "a/b/"}, {"S", "c", "x\"y"}, {"S", "d", "trailing  "},
                  {"S", "e", "\tx"}, {"S", "f", "a\nb"}, {"S", "g", "caf\xC3\xA9"}},
                 "[S]\r\na=\r\nb=a/b/\r\nc=x\"y\r\nd=trailing  \r\ne=\tx\r\nf=a\nb\r\ng=caf\xC3\xA9\r\n"},
        SaveCase{"ValuesThatWouldNotReadBackBareAreQuoted",
                 {{"default", "resourceURL", "http://127.0.0.1//launch.php"}, {"S", "b", "a;b"}, {"S", "c", " lead"},
                  {"S", "d", "a\rb"}, {"S", "e", "x//"}},
                 "[default]\r\nresourceURL=\"http://127.0.0.1//launch.php\"\r\n[S]\r\nb=\"a;b\"\r\nc=\" lead\"\r\n"
                 "d=\"a\rb\"\r\ne=\"x//\"\r\n"},
        SaveCase{"KeysAndSectionsTheReaderTakesWhole",
                 {{" odd [name", "k ey\r\n", "1"}, {"S", "9lives", "2"}, {"S", "a\"b;c", "3"}},
                 "[ odd [name]\r\nk ey\r\n=1\r\n[S]\r\n9lives=2\r\na\"b;c=3\r\n"}),
    [](const ::testing::TestParamInfo<SaveCase>& info) { return std::string(info.param.name); });

TEST(Save, RewritesTheFileFromTheEntriesAlone)
{
    SavedFile saved("// comment\r\n[SYSTEM]\r\nWINDOW = 1\r\nURL=\"a//b\"\r\n\r\n[Empty]\r\n[Other]\r\nX=1\r\n");
    ASSERT_TRUE(saved.ini.SetValue("SYSTEM", "url", "plain"));
    ASSERT_TRUE(saved.ini.AddValue("SYSTEM", "MODE", "2"));
    EXPECT_TRUE(saved.ini.Save());
    EXPECT_EQ(saved.Text(), "[SYSTEM]\r\nWINDOW =1\r\nURL=plain\r\n[Other]\r\nX=1\r\n[SYSTEM]\r\nMODE=2\r\n");
    EXPECT_STREQ(saved.ini.GetString("SYSTEM", "MODE", true), "2");
}

TEST(Save, KeepsEveryEntryAndEveryRecordWhole)
{
    TempDir dir;
    const std::string path = dir.Path("big.ini");
    CIniFile ini;
    ini.Load(path.c_str());
    Triples expected;
    for (int i = 0; i < 1500; ++i) {
        const std::string key = std::string("key").append(std::to_string(i));
        const std::string value = i % 500 == 0 ? std::string(5000, 'x') : std::to_string(i);
        ASSERT_TRUE(ini.AddValue("S", key.c_str(), value.c_str()));
        expected.push_back({"S", key, value});
    }
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(Reload(path), expected);
}

TEST(Save, KeepsZeroBytesOfLoadedText)
{
    const char bytes[] = "[S\0x]\r\nK\0y=a\0b\r\n";
    const std::string text(bytes, sizeof bytes - 1);
    SavedFile saved(text);
    ASSERT_EQ(saved.ini.Entries().size(), 1u);
    EXPECT_TRUE(saved.ini.Save());
    EXPECT_EQ(saved.Text(), text);
}

// Entries that no form of the file can carry: Save writes nothing at all.
struct RefusedCase {
    const char* name;
    Triple entry;
};

class RefusedEntries : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedEntries, LeaveTheFileAsItWas)
{
    const std::string original = "[S]\r\nK=old\r\n";
    SavedFile saved(original);
    const Triple& entry = GetParam().entry;
    ASSERT_TRUE(saved.ini.AddValue(entry[0].c_str(), entry[1].c_str(), entry[2].c_str()));
    EXPECT_FALSE(saved.ini.Save());
    EXPECT_EQ(saved.Text(), original);
    EXPECT_EQ(saved.dir.Names(), std::vector<std::string>{"settings.ini"});
}

INSTANTIATE_TEST_SUITE_P(
    Table, RefusedEntries,
    ::testing::Values(RefusedCase{"EmptyKey", {"T", "", "v"}},
                      RefusedCase{"KeyStartingWithSpace", {"T", " k", "v"}},
                      RefusedCase{"KeyStartingWithPunctuation", {"T", "_k", "v"}},
                      RefusedCase{"KeyStartingWithHighByte", {"T", "\xC3\xA9k", "v"}},
                      RefusedCase{"KeyHoldingEquals", {"T", "k=x", "v"}},
                      RefusedCase{"SectionHoldingClosingBracket", {"a]b", "k", "v"}},
                      RefusedCase{"ValueStartingWithQuote", {"T", "k", "\"quoted\""}},
                      RefusedCase{"QuotedValueHoldingQuote", {"T", "k", "a;\"b"}}),
    [](const ::testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

TEST(Save, FailsWithoutAFileName)
{
    CIniFile ini;
    ASSERT_TRUE(ini.LoadFromString(kSystem));
    EXPECT_FALSE(ini.Save());
}

TEST(Save, FailsInAMissingDirectory)
{
    TempDir dir;
    CIniFile ini;
    ini.Load(dir.Path("missing/settings.ini").c_str());
    ASSERT_TRUE(ini.AddValue("S", "K", "V"));
    EXPECT_FALSE(ini.Save());
    EXPECT_TRUE(dir.Names().empty());
}

TEST(Save, FailsWhenTheTargetCannotBeReplaced)
{
    TempDir dir;
    const std::string target = dir.Path("settings.ini");
    std::filesystem::create_directory(target);
    CIniFile ini;
    ini.Load(target.c_str());
    ASSERT_TRUE(ini.AddValue("S", "K", "V"));
    EXPECT_FALSE(ini.Save());
    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"settings.ini"});
}

// A write that fails half-way (here: the process may not write files that large)
// leaves the old file whole and no temporary file behind.
TEST(Save, FailedWriteLeavesTheOldFileUntouched)
{
    SavedFile saved(kSystem);
    ASSERT_TRUE(saved.ini.AddValue("S", "BIG", std::string(1 << 20, 'x').c_str()));

    rlimit previous;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved_ok = saved.ini.Save();
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousSignal);

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(saved.Text(), kSystem);
    EXPECT_EQ(saved.dir.Names(), std::vector<std::string>{"settings.ini"});
}

TEST(Save, KeepsTheFilesPermissions)
{
    SavedFile saved(kSystem);
    ASSERT_EQ(chmod(saved.path.c_str(), 0640), 0);
    ASSERT_TRUE(saved.ini.SetValue("SYSTEM", "WINDOW", "2"));
    ASSERT_TRUE(saved.ini.Save());
    struct stat status;
    ASSERT_EQ(stat(saved.path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    EXPECT_EQ(saved.Text(), "[SYSTEM]\r\nWINDOW=2\r\n");
}

// The promise of Save: whatever list of entries it accepts comes back the same,
// in the same order, from the file it wrote; and it accepts every list whose
// entries the file syntax can carry.
std::string RandomText(std::mt19937& random, const std::string& alphabet, std::size_t longest)
{
    std::string text(std::uniform_int_distribution<std::size_t>(0, longest)(random), ' ');
    for (char& byte : text)
        byte = alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)];
    return text;
}

bool Carriable(const Triple& entry)
{
    const std::string& key = entry[1];
    const std::string& value = entry[2];
    const bool keyOk = !key.empty() && std::isalnum(static_cast<unsigned char>(key[0])) &&
                       static_cast<unsigned char>(key[0]) < 0x80 && key.find('=') == std::string::npos;
    const bool needsQuotes = value.find_first_of(";\r") != std::string::npos || value.find("//") != std::string::npos ||
                             (!value.empty() && (value[0] == ' ' || value[0] == '"'));
    return keyOk && entry[0].find(']') == std::string::npos &&
           !(needsQuotes && value.find('"') != std::string::npos);
}

TEST(Save, WhatItAcceptsReadsBackUnchanged)
{
    const char letters[] = "aZ09 =;/\"[]\r\n\t\xC3\xA9";
    const std::string alphabet(letters, sizeof letters - 1);
    std::mt19937 random(20261210);
    TempDir dir;
    int accepted = 0;
    for (int round = 0; round < 400; ++round) {
        const std::string before = "[Old]\r\nK=V\r\n";
        const std::string path = dir.Write("property.ini", before);
        CIniFile ini;
        ASSERT_TRUE(ini.Load(path.c_str()));
        Triples entries = EntriesOf(ini);
        bool carriable = true;
        const int count = std::uniform_int_distribution<int>(0, 8)(random);
        for (int i = 0; i < count; ++i) {
            Triple entry{RandomText(random, alphabet, 3), std::string("k").append(RandomText(random, alphabet, 4)),
                         RandomText(random, alphabet, 6)};
            if (round % 2 == 0)
                entry[1][0] = alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)];
            ASSERT_TRUE(ini.AddValue(entry[0].c_str(), entry[1].c_str(), entry[2].c_str()));
            carriable = carriable && Carriable(entry);
            entries.push_back(entry);
        }
        const bool saved = ini.Save();
        EXPECT_EQ(saved, carriable) << ::testing::PrintToString(entries);
        if (saved) {
            ++accepted;
            EXPECT_EQ(Reload(path), entries) << ::testing::PrintToString(TempDir::Read(path));
        } else {
            EXPECT_EQ(TempDir::Read(path), before);
        }
        EXPECT_EQ(dir.Names(), std::vector<std::string>{"property.ini"});
    }
    EXPECT_GT(accepted, 50) << "the generator should produce many writable lists";
}

}  // namespace
