// Loading files and strings, and what a failed load leaves behind.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "IniTestSupport.h"
#include "TempDir.h"

namespace {

const char kDocument[] = "[SYSTEM]\r\nSCREENWIDTH=1024\r\nSCREENHEIGHT=640\r\n[default]\r\nresourceURL=\"http://x//y\"\r\n";

TEST(Load, ReadsTheFileInBinaryMode)
{
    TempDir dir;
    CIniFile ini;
    EXPECT_TRUE(ini.Load(dir.Write("a.ini", kDocument).c_str()));
    EXPECT_EQ(EntriesOf(ini), (Triples{{"SYSTEM", "SCREENWIDTH", "1024"},
                                       {"SYSTEM", "SCREENHEIGHT", "640"},
                                       {"default", "resourceURL", "http://x//y"}}));
    EXPECT_EQ(SectionsOf(ini), (std::vector<std::string>{"SYSTEM", "default"}));
    EXPECT_EQ(ini.CurrentSection(), "default");
}

TEST(Load, KeepsZeroBytesInsideTheText)
{
    TempDir dir;
    CIniFile ini;
    const char bytes[] = "[S]\r\nK=a\0b\r\nL=2\r\n";
    ASSERT_TRUE(ini.Load(dir.Write("z.ini", std::string(bytes, sizeof bytes - 1)).c_str()));
    EXPECT_EQ(EntriesOf(ini), (Triples{{"S", "K", std::string("a\0b", 3)}, {"S", "L", "2"}}));
    EXPECT_STREQ(ini.GetString("S", "K", true), "a");
}

// Each failure leaves the sections, the entries and the current section of the
// document loaded before.
struct FailedLoadCase {
    const char* name;
    // Returns the path to load, or an empty string to skip where the machine
    // lacks the fixture.
    std::string (*prepare)(const TempDir& dir);
    // Whether the old text is still there for a later Parse.
    bool textKept;
};

class FailedLoads : public ::testing::TestWithParam<FailedLoadCase> {};

TEST_P(FailedLoads, ReturnFalseAndKeepThePreviousDocument)
{
    TempDir dir;
    const std::string path = GetParam().prepare(dir);
    if (path.empty())
        GTEST_SKIP() << "no such file on this machine";
    CIniFile ini;
    ASSERT_TRUE(ini.LoadFromString(kDocument));
    ASSERT_TRUE(ini.SelectSection("SYSTEM", false));
    const Triples before = EntriesOf(ini);

    EXPECT_FALSE(ini.Load(path.c_str()));
    EXPECT_EQ(EntriesOf(ini), before);
    EXPECT_EQ(SectionsOf(ini), (std::vector<std::string>{"SYSTEM", "default"}));
    EXPECT_EQ(ini.CurrentSection(), "SYSTEM");
    EXPECT_EQ(std::string(ini.Text(), static_cast<std::size_t>(ini.Length())),
              GetParam().textKept ? kDocument : "");

    ini.Parse();
    EXPECT_EQ(EntriesOf(ini), GetParam().textKept ? before : Triples{});
}

INSTANTIATE_TEST_SUITE_P(
    Table, FailedLoads,
    ::testing::Values(
        FailedLoadCase{"MissingFile", [](const TempDir& dir) { return dir.Path("missing.ini"); }, false},
        FailedLoadCase{"EmptyFile", [](const TempDir& dir) { return dir.Write("empty.ini", ""); }, false},
        FailedLoadCase{"LargerThanA32BitSize",
                       [](const TempDir& dir) {
                           const std::string path = dir.Write("huge.ini", "");
                           std::filesystem::resize_file(path, 0x80000000ull);
                           return path;
                       },
                       true},
        // Neither is a regular file: both fail at once, the same way on every
        // filesystem, and the FIFO without waiting for a writer.
        FailedLoadCase{"DirectoryThatCannotBeRead", [](const TempDir& dir) { return dir.Path(""); }, true},
        FailedLoadCase{"FifoWithoutWriter",
                       [](const TempDir& dir) {
                           const std::string path = dir.Path("fifo.ini");
                           return mkfifo(path.c_str(), 0600) == 0 ? path : std::string();
                       },
                       true},
        // A kernel attribute file reports a size of a page but yields only a few
        // bytes: measured, then read short.
        FailedLoadCase{"FileYieldingFewerBytesThanMeasured",
                       [](const TempDir&) {
                           const std::string path = "/sys/devices/system/cpu/online";
                           return std::filesystem::exists(path) ? path : std::string();
                       },
                       true}),
    [](const ::testing::TestParamInfo<FailedLoadCase>& info) { return std::string(info.param.name); });

// A document that says how many entries it has: "count" first, then that many
// entries, then "end"; a load that cut it shows in the count.
std::string CountedDocument(int entries)
{
    std::string text = "[S]\r\ncount=" + std::to_string(entries) + "\r\n";
    for (int i = 0; i < entries; ++i)
        text += "key" + std::to_string(i) + "=value " + std::to_string(i) + " of the document\r\n";
    return text + "end=1\r\n";
}

// Another process renames complete documents of two sizes over the file, as
// Save does, while this one loads it over and over: every load that succeeds
// holds one whole document.
TEST(Load, IsTheWholeFileAtOneMomentWhileAnotherProcessReplacesIt)
{
    TempDir dir;
    const std::string path = dir.Write("settings.ini", CountedDocument(2000));
    const std::string documents[] = {CountedDocument(2000), CountedDocument(1500)};
    const pid_t writer = fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        for (unsigned round = 0;; ++round) {
            const std::string temporary = path + ".next";
            std::ofstream(temporary, std::ios::binary) << documents[round % 2];
            if (std::rename(temporary.c_str(), path.c_str()) != 0)
                _exit(1);
        }
    }
    int loaded = 0;
    int wrong = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    for (int attempt = 0; attempt < 3000 && std::chrono::steady_clock::now() < deadline; ++attempt) {
        CIniFile ini;
        if (!ini.Load(path.c_str()))
            continue;
        ++loaded;
        const int count = ini.GetInt("S", "count", false);
        const bool whole = (count == 2000 || count == 1500) && ini.Entries().size() == static_cast<std::size_t>(count) + 2 &&
                           ini.Entries().back()->key == "end";
        wrong += whole ? 0 : 1;
    }
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);
    EXPECT_EQ(wrong, 0) << "of " << loaded << " loads";
    EXPECT_GT(loaded, 0);
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

// Limits the process's address space to what it uses now plus room for the
// test's own work, but not for a quarter of a gibibyte more; `previous` gets
// the limit to put back.
bool LimitAddressSpace(rlimit& previous)
{
    std::ifstream statm("/proc/self/statm");
    unsigned long pages = 0;
    statm >> pages;
    if (getrlimit(RLIMIT_AS, &previous) != 0)
        return false;
    rlimit tight = previous;
    tight.rlim_cur = pages * static_cast<unsigned long>(sysconf(_SC_PAGESIZE)) + (256ul << 20);
    return setrlimit(RLIMIT_AS, &tight) == 0;
}

// The buffer for a file that does not fit in the address space cannot be had;
// the load fails and keeps the previous document rather than ending the process.
TEST(Load, FailsWhenTheTextDoesNotFitInMemory)
{
    if (kAddressSanitizer)
        GTEST_SKIP() << "AddressSanitizer reserves address space that a limit would take away";
    TempDir dir;
    const std::string path = dir.Write("huge.ini", "");
    std::filesystem::resize_file(path, 1ull << 30);
    CIniFile ini;
    ASSERT_TRUE(ini.LoadFromString(kDocument));
    const Triples before = EntriesOf(ini);

    rlimit previous;
    ASSERT_TRUE(LimitAddressSpace(previous));
    const bool loaded = ini.Load(path.c_str());
    setrlimit(RLIMIT_AS, &previous);

    EXPECT_FALSE(loaded);
    EXPECT_EQ(EntriesOf(ini), before);
}

// A text of half a gibibyte that takes 8 MiB of memory: one block of letters
// mapped over and over, with a zero byte at the very end.
class LongText {
public:
    static constexpr std::size_t kSize = std::size_t{1} << 29;

    LongText()
    {
        const int block = memfd_create("long-text", 0);
        if (block < 0)
            return;
        if (FillWithLetters(block))
            MapOver(block);
        close(block);
    }
    ~LongText() { Release(); }

    LongText(const LongText&) = delete;
    LongText& operator=(const LongText&) = delete;

    // Null when the text could not be made.
    const char* Get() const { return m_text; }

private:
    static constexpr std::size_t kBlock = std::size_t{8} << 20;

    static bool FillWithLetters(int block)
    {
        if (ftruncate(block, kBlock) != 0)
            return false;
        void* letters = mmap(nullptr, kBlock, PROT_READ | PROT_WRITE, MAP_SHARED, block, 0);
        if (letters == MAP_FAILED)
            return false;
        std::memset(letters, 'a', kBlock);
        munmap(letters, kBlock);
        return true;
    }

    void MapOver(int block)
    {
        void* all = mmap(nullptr, kSize, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (all == MAP_FAILED)
            return;
        m_text = static_cast<char*>(all);
        for (std::size_t at = 0; at < kSize; at += kBlock) {
            if (mmap(m_text + at, kBlock, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_FIXED, block, 0) == MAP_FAILED) {
                Release();
                return;
            }
        }
        // The mappings are private: the zero byte lands in a copy of the last page only.
        m_text[kSize - 1] = '\0';
    }

    void Release()
    {
        if (m_text != nullptr)
            munmap(m_text, kSize);
        m_text = nullptr;
    }

    char* m_text = nullptr;
};

// A text whose copy cannot be had fails like such a file: the previous
// document stays, and so does its text with its length, for a later Parse.
TEST(LoadFromString, FailsWhenTheCopyDoesNotFitInMemory)
{
    if (kAddressSanitizer)
        GTEST_SKIP() << "AddressSanitizer reserves address space that a limit would take away";
    const LongText text;
    ASSERT_NE(text.Get(), nullptr);
    CIniFile ini;
    ASSERT_TRUE(ini.LoadFromString(kDocument));
    const Triples before = EntriesOf(ini);

    rlimit previous;
    ASSERT_TRUE(LimitAddressSpace(previous));
    const bool loaded = ini.LoadFromString(text.Get());
    setrlimit(RLIMIT_AS, &previous);

    EXPECT_FALSE(loaded);
    EXPECT_EQ(EntriesOf(ini), before);
    EXPECT_EQ(std::string(ini.Text(), static_cast<std::size_t>(ini.Length())), kDocument);
    ini.Parse();
    EXPECT_EQ(EntriesOf(ini), before);
}

TEST(Load, ReplacesADocumentLoadedBefore)
{
    TempDir dir;
    CIniFile ini;
    ASSERT_TRUE(ini.LoadFromString(kDocument));
    EXPECT_TRUE(ini.Load(dir.Write("b.ini", "[Other]\r\nK=V\r\n").c_str()));
    EXPECT_EQ(EntriesOf(ini), (Triples{{"Other", "K", "V"}}));
    EXPECT_EQ(SectionsOf(ini), std::vector<std::string>{"Other"});
}

TEST(Load, RemembersTheNameEvenWhenTheFileIsMissing)
{
    TempDir dir;
    CIniFile ini;
    const std::string path = dir.Path("new.ini");
    EXPECT_FALSE(ini.Load(path.c_str()));
    EXPECT_TRUE(ini.AddValue("SYSTEM", "WINDOW", "1"));
    EXPECT_TRUE(ini.Save());
    EXPECT_EQ(TempDir::Read(path), "[SYSTEM]\r\nWINDOW=1\r\n");
}

TEST(LoadFromString, EmptyTextFailsAndLeavesEntries)
{
    CIniFile ini;
    ASSERT_TRUE(ini.LoadFromString(kDocument));
    EXPECT_FALSE(ini.LoadFromString(""));
    EXPECT_EQ(ini.Entries().size(), 3u);
    EXPECT_EQ(ini.CurrentSection(), "default");
    ini.Parse();
    EXPECT_TRUE(ini.Entries().empty());
}

TEST(NewObject, IsEmptyAndParsesToNothing)
{
    CIniFile ini;
    EXPECT_TRUE(ini.Sections().empty());
    EXPECT_TRUE(ini.Entries().empty());
    EXPECT_EQ(ini.CurrentSection(), "");
    EXPECT_TRUE(ini.Parse());
    EXPECT_TRUE(ini.Entries().empty());
}

TEST(Clear, EmptiesTheListsButKeepsTheTextAndCurrentSection)
{
    CIniFile ini;
    ASSERT_TRUE(ini.LoadFromString(kDocument));
    ini.Clear();
    EXPECT_TRUE(ini.Sections().empty());
    EXPECT_TRUE(ini.Entries().empty());
    EXPECT_EQ(ini.CurrentSection(), "default");
    ini.Parse();
    EXPECT_EQ(ini.Entries().size(), 3u);
}

}  // namespace
