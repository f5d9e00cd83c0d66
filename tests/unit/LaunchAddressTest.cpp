#include "LaunchAddress.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>

namespace {

const std::string kLongUrl259 = "http://example.com/" + std::string(240, 'a');
const std::string kLongUrl260 = kLongUrl259 + "b";

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
const std::string kLongEntry259 = "[default]\r\nresourceURL=\"" + kLongUrl259 + "\"\r\n";
const std::string kLongEntry260 = "[default]\r\nresourceURL=\"" + kLongUrl260 + "\"\r\n";

INSTANTIATE_TEST_SUITE_P(
    Table, AddressCases,
    ::testing::Values(
        AddressCase{"LaunchUrlWinsAndTheFileIsNotRead", "http://a.example/x", kQuotedEntry.c_str(),
                    "http://a.example/x"},
        AddressCase{"LaunchUrlOf259Bytes", kLongUrl259, nullptr, kLongUrl259},
        AddressCase{"NoFileGivesTheDefault", "", nullptr, kDefaultLaunchUrl},
        AddressCase{"NoKeyGivesTheDefault", "", "[default]\r\nClientWndCaption=Tarnhold\r\n", kDefaultLaunchUrl},
        AddressCase{"KeyInAnotherSectionGivesTheDefault", "", "[other]\r\nresourceURL=\"http://b/\"\r\n",
                    kDefaultLaunchUrl},
        AddressCase{"QuotedValueIsReadWhole", "", kQuotedEntry.c_str(), "http://10.1.2.3:8080/launch?x=1"},
        AddressCase{"NamesMatchWithoutCase", "", "[DEFAULT]\r\nRESOURCEurl=\"http://c/\"\r\n", "http://c/"},
        AddressCase{"EmptyValueReplacesTheDefault", "", "[default]\r\nresourceURL=\r\n", ""},
        AddressCase{"UnquotedValueEndsAtTheDoubleSlash", "", "[default]\r\nresourceURL=http://d/page\r\n", "http:"},
        AddressCase{"ValueOf259BytesIsTaken", "", kLongEntry259.c_str(), kLongUrl259},
        AddressCase{"ValueOf260BytesLeavesTheDefault", "", kLongEntry260.c_str(), kDefaultLaunchUrl}),
    [](const ::testing::TestParamInfo<AddressCase>& info) { return std::string(info.param.name); });

TEST(DefaultLaunchUrl, NamesTheLaunchPageOnTheDefaultServer)
{
    const std::string url = kDefaultLaunchUrl;
    EXPECT_EQ(url.rfind("http://", 0), 0u);
    ASSERT_GT(url.size(), std::string("http:////launch.php").size());
    EXPECT_EQ(url.substr(url.size() - 12), "//launch.php");
}

}  // namespace
