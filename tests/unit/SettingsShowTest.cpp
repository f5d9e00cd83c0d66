// What `launcher-settings show` prints: the items CIniFile read, in text order
// with their lines, names and values made visible.
#include "ShowReport.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "ItemPlaces.h"
#include "TempDir.h"
#include "VisibleText.h"

namespace {

struct EscapeCase {
    std::string bytes;
    std::string visible;
    std::string quoted;
    std::string json;
};

class EscapeCases : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(EscapeCases, MakesEveryByteVisible)
{
    const EscapeCase& c = GetParam();
    EXPECT_EQ(VisibleBytes(c.bytes), c.visible);
    EXPECT_EQ(QuotedBytes(c.bytes), c.quoted);
    EXPECT_EQ(JsonString(c.bytes), c.json);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EscapeCases,
    ::testing::Values(EscapeCase{"plain text", "plain text", "\"plain text\"", "\"plain text\""},
                      EscapeCase{"a\r\nb\tc", "a\\r\\nb\\tc", "\"a\\r\\nb\\tc\"", "\"a\\r\\nb\\tc\""},
                      EscapeCase{"C:\\x \"q\"", "C:\\x \"q\"", "\"C:\\\\x \\\"q\\\"\"", "\"C:\\\\x \\\"q\\\"\""},
                      EscapeCase{std::string("\x01\x7F\0", 3), "\\x01\\x7F\\x00", "\"\\x01\\x7F\\x00\"",
                                 "\"\\u0001\\u007F\\u0000\""},
                      EscapeCase{"\xC4\xE3\xBA\xC3", "\\xC4\\xE3\\xBA\\xC3", "\"\\xC4\\xE3\\xBA\\xC3\"",
                                 "\"\\u00C4\\u00E3\\u00BA\\u00C3\""}));

// Paths keep every byte but the control bytes, and no byte gets a short
// escape, so that the backslashes of Windows paths read as they are.
TEST(VisiblePath, MakesControlBytesVisible)
{
    const std::pair<std::string, std::string> paths[] = {
        {"C:\\games\\new\\window.ini", "C:\\games\\new\\window.ini"},
        {"a\nb\tc\r.ini", "a\\x0Ab\\x09c\\x0D.ini"},
        {std::string("\x7F\0x", 3), "\\x7F\\x00x"},
        {"\xE5\xAE\x89\xE8\xA3\x85/window.ini", "\xE5\xAE\x89\xE8\xA3\x85/window.ini"},
    };
    for (const auto& [path, visible] : paths)
        EXPECT_EQ(VisiblePath(path), visible);
}

// (is a header, line) of each item in order.
using Placed = std::vector<std::pair<bool, int>>;

struct PlaceCase {
    const char* name;
    std::string text;
    Placed placed;
};

void PrintTo(const PlaceCase& c, std::ostream* os) { *os << c.name; }

class PlaceCases : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(PlaceCases, FindsEachItemWhereTheReaderTookIt)
{
    const PlaceCase& c = GetParam();
    CIniFile document;
    document.LoadFromString(c.text.c_str());
    const LineIndex lines(c.text);
    Placed placed;
    for (const ItemPlace& place : PlaceItems(c.text, document)) {
        EXPECT_TRUE(place.found);
        placed.emplace_back(place.isHeader, lines.LineOf(place.start));
    }
    EXPECT_EQ(placed, c.placed);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PlaceCases,
    ::testing::Values(
        PlaceCase{"OneSection", "[SYSTEM]\r\nWINDOW=1\r\n\r\nSCREENWIDTH=2\r\n", {{true, 1}, {false, 2}, {false, 4}}},
        PlaceCase{"HeaderTextInsideAQuotedValue", "[a]\r\nk=\"[b]\"\r\n[b]\r\nk=1\r\n",
                  {{true, 1}, {false, 2}, {true, 3}, {false, 4}}},
        PlaceCase{"EntryTextInsideAHeader", "[k=1;]\r\nk=1;\r\n", {{true, 1}, {false, 2}}},
        PlaceCase{"HeaderSwallowedByAKey", ";note\r\n[SYSTEM]\r\nWINDOW=1\r\n[SYSTEM]\r\nX=2\r\n",
                  {{false, 1}, {true, 4}, {false, 5}}},
        PlaceCase{"RepeatedEntries", "[s]\r\nk=1\r\nk=1\r\n[s]\r\nk=1\r\n",
                  {{true, 1}, {false, 2}, {false, 3}, {true, 4}, {false, 5}}},
        PlaceCase{"KeyWithoutEqualsAtTheEnd", "[s]\r\nk=1\r\nlast", {{true, 1}, {false, 2}, {false, 3}}},
        PlaceCase{"LfAloneAtTheTopSkipsAByte", "\nXY=1\r\n", {{false, 2}}},
        PlaceCase{"LinesEndInLfOrCrAlone", "[s]\nk=1\rj=2\r\n", {{true, 1}, {false, 2}, {false, 3}}}),
    [](const ::testing::TestParamInfo<PlaceCase>& info) { return std::string(info.param.name); });

TEST(ShowReport, ListsItemsAndWhatLookupsFindInstead)
{
    TempDir dir;
    const std::string path = dir.Write("window.ini",
                                       "// sizes\r\n[System]\r\nWINDOW=1\r\n[SYSTEM]\r\nSCREENWIDTH =1024\r\n"
                                       "[System]\r\nwindow=\"2\"\r\nTITLE=\xC4\xE3\r\n");
    SettingsFile file;
    ReadSettingsFile(path, file);
    EXPECT_EQ(ShowReportText(file), path +
                                        ": 3 section(s), 4 entry(ies)\n"
                                        "    2  [System]\n"
                                        "    3    \"WINDOW\" = \"1\"\n"
                                        "    4  [SYSTEM]  (a lookup chooses [System] on line 2)\n"
                                        "    5    \"SCREENWIDTH \" = \"1024\"  (no lookup finds it: a lookup chooses [System])\n"
                                        "    6  [System]\n"
                                        "    7    \"window\" = \"2\"  (a lookup finds line 3)\n"
                                        "    8    \"TITLE\" = \"\\xC4\\xE3\"\n");
}

}  // namespace
