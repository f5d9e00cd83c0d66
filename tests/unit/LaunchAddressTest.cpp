#include "LaunchAddress.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

// The longest address the buffer holds, and one byte more.
const std::string kLongestUrl = [] {
    std::string url = "http://example.com/";
    url.resize(kLaunchAddressSize - 1, 'a');
    return url;
}();
const std::string kUrlOneByteTooLong = kLongestUrl + "b";

// A ServerInfo.ini in the test's temporary directory, or none when the text is null.
std::string WriteServerInfo(const char* name, const char* text)
{
    const std::string path = ::testing::TempDir() + name + ".ini";
    std::remove(path.c_str());
    if (!text)
        return path;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        ADD_FAILURE() << "cannot write " << path;
        return path;
    }
    std::fputs(text, file);
    std::fclose(file);
    return path;
}

struct AddressCase {
    const char* name;
    std::string launchUrl;
    const char* serverInfo;  // null: no file
    std::string address;
};

class AddressCases : public ::testing::TestWithParam<AddressCase> {};

TEST_P(AddressCases, PicksTheAddressToOpen)
{
    const AddressCase& c = GetParam();
    const std::string path = WriteServerInfo(c.name, c.serverInfo);
    char address[kLaunchAddressSize];
    std::fill(std::begin(address), std::end(address), 'x');
    ChooseLaunchAddress(c.launchUrl.c_str(), path.c_str(), address);
    EXPECT_EQ(std::string(address), c.address);
    std::remove(path.c_str());
}

const std::string kQuotedEntry = "[default]\r\nresourceURL=\"http://10.1.2.3:8080/launch?x=1\"\r\n";
const std::string kLongestEntry = "[default]\r\nresourceURL=\"" + kLongestUrl + "\"\r\n";
const std::string kEntryOneByteTooLong = "[default]\r\nresourceURL=\"" + kUrlOneByteTooLong + "\"\r\n";

INSTANTIATE_TEST_SUITE_P(
    Table, AddressCases,
    ::testing::Values(
        AddressCase{"LaunchUrlWinsOverTheFile", "http://a.example/x", kQuotedEntry.c_str(), "http://a.example/x"},
        AddressCase{"LongestLaunchUrl", kLongestUrl, nullptr, kLongestUrl},
        AddressCase{"NoFileGivesTheDefault", "", nullptr, kDefaultLaunchUrl},
        AddressCase{"NoKeyGivesTheDefault", "", "[default]\r\nClientWndCaption=Tarnhold\r\n", kDefaultLaunchUrl},
        AddressCase{"KeyInAnotherSectionGivesTheDefault", "", "[other]\r\nresourceURL=\"http://b/\"\r\n",
                    kDefaultLaunchUrl},
        AddressCase{"QuotedValueIsReadWhole", "", kQuotedEntry.c_str(), "http://10.1.2.3:8080/launch?x=1"},
        AddressCase{"NamesMatchWithoutCase", "", "[DEFAULT]\r\nRESOURCEurl=\"http://c/\"\r\n", "http://c/"},
        AddressCase{"EmptyValueReplacesTheDefault", "", "[default]\r\nresourceURL=\r\n", ""},
        AddressCase{"UnquotedValueEndsAtTheDoubleSlash", "", "[default]\r\nresourceURL=http://d/page\r\n", "http:"},
        AddressCase{"LongestValueIsTaken", "", kLongestEntry.c_str(), kLongestUrl},
        AddressCase{"ValueOneByteTooLongLeavesTheDefault", "", kEntryOneByteTooLong.c_str(), kDefaultLaunchUrl}),
    [](const ::testing::TestParamInfo<AddressCase>& info) { return std::string(info.param.name); });

// Sees the opens of one file, by this process or any other, through inotify.
class OpenWatch {
public:
    explicit OpenWatch(const std::string& path) : m_watch(inotify_init1(IN_NONBLOCK))
    {
        if (m_watch >= 0 && inotify_add_watch(m_watch, path.c_str(), IN_OPEN) < 0) {
            close(m_watch);
            m_watch = -1;
        }
    }
    ~OpenWatch()
    {
        if (m_watch >= 0)
            close(m_watch);
    }
    OpenWatch(const OpenWatch&) = delete;
    OpenWatch& operator=(const OpenWatch&) = delete;

    bool Watching() const { return m_watch >= 0; }

    // Whether the file was opened since the watch began or this was last asked;
    // the system queues the event while the open is made.
    bool Opened()
    {
        alignas(inotify_event) char events[4096];
        bool opened = false;
        while (read(m_watch, events, sizeof events) > 0)
            opened = true;
        return opened;
    }

private:
    int m_watch;
};

TEST(ChooseLaunchAddress, ReadsTheFileOnlyWithoutALaunchUrl)
{
    const std::string path = WriteServerInfo("ReadsTheFileOnlyWithoutALaunchUrl", kQuotedEntry.c_str());
    OpenWatch watch(path);
    ASSERT_TRUE(watch.Watching());
    char address[kLaunchAddressSize];

    ChooseLaunchAddress("http://a.example/x", path.c_str(), address);
    EXPECT_FALSE(watch.Opened()) << "the file was opened although the launch URL was given";
    EXPECT_EQ(std::string(address), "http://a.example/x");

    ChooseLaunchAddress("", path.c_str(), address);
    EXPECT_TRUE(watch.Opened()) << "the file was not opened without a launch URL";
    EXPECT_EQ(std::string(address), "http://10.1.2.3:8080/launch?x=1");
    std::remove(path.c_str());
}

TEST(DefaultLaunchUrl, NamesTheLaunchPageOnTheDefaultServer)
{
    const std::string url = kDefaultLaunchUrl;
    EXPECT_EQ(url.rfind("http://", 0), 0u);
    ASSERT_GT(url.size(), std::string("http:////launch.php").size());
    EXPECT_EQ(url.substr(url.size() - 12), "//launch.php");
}

}  // namespace

namespace {

// The copy start-up fills the launch URL buffer with: whole or not at all.
struct CopyCase {
    const char* name;
    std::string text;
    bool copied;
};

class CopyCases : public ::testing::TestWithParam<CopyCase> {};

TEST_P(CopyCases, CopiesWholeOrLeavesTheBufferAsItWas)
{
    const CopyCase& c = GetParam();
    char address[kLaunchAddressSize];
    std::fill(std::begin(address), std::end(address), 'x');
    address[kLaunchAddressSize - 1] = '\0';
    const std::string before(address);
    EXPECT_EQ(CopyLaunchAddress(c.text.c_str(), address), c.copied);
    EXPECT_EQ(std::string(address), c.copied ? c.text : before);
}

INSTANTIATE_TEST_SUITE_P(Table, CopyCases,
                         ::testing::Values(CopyCase{"Empty", "", true}, CopyCase{"Short", "http://a/b", true},
                                           CopyCase{"LongestThatFits", kLongestUrl, true},
                                           CopyCase{"OneByteTooLong", kUrlOneByteTooLong, false}),
                         [](const ::testing::TestParamInfo<CopyCase>& info) { return std::string(info.param.name); });

}  // namespace
