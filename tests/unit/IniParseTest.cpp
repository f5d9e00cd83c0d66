// How the reader turns text into sections and entries, byte by byte.
#include <gtest/gtest.h>

#include "IniTestSupport.h"

namespace {

struct ParseCase {
    const char* name;
    std::string text;
    std::vector<std::string> sections;
    Triples entries;
    std::string currentSection;
};

class ParseCases : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseCases, GivesTheSectionsAndEntriesInOrder)
{
    const ParseCase& c = GetParam();
    CIniFile ini;
    EXPECT_TRUE(ini.LoadFromString(c.text.c_str()));
    EXPECT_EQ(SectionsOf(ini), c.sections);
    EXPECT_EQ(EntriesOf(ini), c.entries);
    EXPECT_EQ(ini.CurrentSection(), c.currentSection);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseCases,
    ::testing::Values(
        ParseCase{"SectionAndKey", "[SYSTEM]\r\nSCREENWIDTH=1024\r\n", {"SYSTEM"}, {{"SYSTEM", "SCREENWIDTH", "1024"}}, "SYSTEM"},
        ParseCase{"SpaceBeforeEqualsBelongsToKey", "[SYSTEM]\r\nSCREENWIDTH = 1024\r\n", {"SYSTEM"},
                  {{"SYSTEM", "SCREENWIDTH ", "1024"}}, "SYSTEM"},
        ParseCase{"TrailingSpacesStayInValue", "[SYSTEM]\r\nWINDOW=1   \r\n", {"SYSTEM"}, {{"SYSTEM", "WINDOW", "1   "}},
                  "SYSTEM"},
        ParseCase{"SpacesAfterEqualsSkippedButNotTabs", "[S]\r\nA=   x\r\nB=\ty\r\n", {"S"},
                  {{"S", "A", "x"}, {"S", "B", "\ty"}}, "S"},
        ParseCase{"PairOfSlashesEndsBareValue", "[default]\r\nresourceURL=abc//def\r\n", {"default"},
                  {{"default", "resourceURL", "abc"}, {"default", "def\r\n", ""}}, "default"},
        ParseCase{"QuotedValueKeepsSlashes", "[default]\r\nresourceURL=\"abc//def\"\r\n", {"default"},
                  {{"default", "resourceURL", "abc//def"}}, "default"},
        ParseCase{"SingleSlashStaysInValue", "[S]\r\nK=a/b/\r\n", {"S"}, {{"S", "K", "a/b/"}}, "S"},
        ParseCase{"LfOnlyRunsValuesTogether", "[SYSTEM]\nSCREENWIDTH=1024\nSCREENHEIGHT=768\n", {"SYSTEM"},
                  {{"SYSTEM", "SCREENWIDTH", "1024\nSCREENHEIGHT=768\n"}}, "SYSTEM"},
        ParseCase{"HeaderNameIsVerbatim", "[ SYSTEM ]\r\n", {" SYSTEM "}, {}, " SYSTEM "},
        ParseCase{"HeaderNameMayHoldLineBreaks", "[a\r\nb]\r\nK=V\r\n", {"a\r\nb"}, {{"a\r\nb", "K", "V"}}, "a\r\nb"},
        ParseCase{"TextAfterSemicolonStartsNextKey", "[SYSTEM]\r\nWINDOW=1 ;windowed\r\nSCREENWIDTH=800\r\n", {"SYSTEM"},
                  {{"SYSTEM", "WINDOW", "1 "}, {"SYSTEM", "windowed\r\nSCREENWIDTH", "800"}}, "SYSTEM"},
        ParseCase{"SemicolonAtTopIsNoComment", ";note\r\n[SYSTEM]\r\nWINDOW=1\r\n", {},
                  {{"", "note\r\n[SYSTEM]\r\nWINDOW", "1"}}, ""},
        ParseCase{"LineCommentAtTop", "// note\r\n[SYSTEM]\r\nWINDOW=1\r\n", {"SYSTEM"}, {{"SYSTEM", "WINDOW", "1"}},
                  "SYSTEM"},
        ParseCase{"LineCommentRunsToTheNextCr", "// note\n[SYSTEM]\r\nWINDOW=1\r\n", {}, {{"", "WINDOW", "1"}}, ""},
        ParseCase{"LineCommentWithoutCrEndsText", "// [S]\nK=V", {}, {}, ""},
        ParseCase{"ByteOrderMarkIsSkipped", "\xEF\xBB\xBF[SYSTEM]\r\nWINDOW=1\r\n", {"SYSTEM"},
                  {{"SYSTEM", "WINDOW", "1"}}, "SYSTEM"},
        ParseCase{"CommentAfterFirstItemIsAKey", "[SYSTEM]\r\n// note\r\nWINDOW=1\r\n", {"SYSTEM"},
                  {{"SYSTEM", "note\r\nWINDOW", "1"}}, "SYSTEM"},
        ParseCase{"KeyWithoutHeader", "WINDOW=1\r\n", {}, {{"", "WINDOW", "1"}}, ""},
        ParseCase{"DuplicatesStay", "[SYSTEM]\r\nWINDOW=1\r\n[SYSTEM]\r\nWINDOW=2\r\n", {"SYSTEM", "SYSTEM"},
                  {{"SYSTEM", "WINDOW", "1"}, {"SYSTEM", "WINDOW", "2"}}, "SYSTEM"},
        ParseCase{"UnclosedHeaderRunsToEnd", "[SYSTEM", {"SYSTEM"}, {}, "SYSTEM"},
        ParseCase{"KeyAtEndGetsEmptyValue", "[SYSTEM]\r\nWINDOW", {"SYSTEM"}, {{"SYSTEM", "WINDOW", ""}}, "SYSTEM"},
        ParseCase{"KeySwallowsLinesUpToEquals", "[S]\r\nA\r\nB=1\r\n", {"S"}, {{"S", "A\r\nB", "1"}}, "S"},
        ParseCase{"SlashStarSlashIsAComment", "/*/[SYSTEM]", {"SYSTEM"}, {}, "SYSTEM"},
        ParseCase{"BlockCommentOverLines", "/* a\r\n[X]\r\n*/\r\n[S]\r\nK=V\r\n", {"S"}, {{"S", "K", "V"}}, "S"},
        ParseCase{"UnclosedBlockCommentEndsText", "/* [S]\r\nK=V\r\n", {}, {}, ""},
        ParseCase{"CommentsAndBlankLinesBeforeFirstItem", "\r\n  // a\r\n/* b */\r\n\r\n[S]\r\nK=V\r\n", {"S"},
                  {{"S", "K", "V"}}, "S"},
        ParseCase{"LeadingLfSkipsTwoBytes", "\n[S]\r\nK=V\r\n", {}, {{"", "S]\r\nK", "V"}}, ""},
        ParseCase{"SlashWithOtherByteStartsKeySearch", "/x=1\r\n", {}, {{"", "x", "1"}}, ""},
        ParseCase{"KeyNeverStartsWithPunctuation", "  ;;--\"K=V\r\n", {}, {{"", "K", "V"}}, ""},
        ParseCase{"HighBytesAreNotLetters", "\xC4\xE9K\xC3\xA9=V\r\n", {}, {{"", "K\xC3\xA9", "V"}}, ""},
        ParseCase{"QuotedValueHoldsSemicolonAndLineBreak", "[S]\r\nK=\"a;b\r\nc\"\r\nL=2\r\n", {"S"},
                  {{"S", "K", "a;b\r\nc"}, {"S", "L", "2"}}, "S"},
        ParseCase{"TextAfterClosingQuoteStartsNextKey", "[S]\r\nK=\"v\" tail\r\nL=2\r\n", {"S"},
                  {{"S", "K", "v"}, {"S", "tail\r\nL", "2"}}, "S"},
        ParseCase{"TextAfterHeaderStartsKey", "[S] x\r\nK=V\r\n", {"S"}, {{"S", "x\r\nK", "V"}}, "S"},
        ParseCase{"UnclosedQuoteRunsToEnd", "[S]\r\nK=\"abc\r\n", {"S"}, {{"S", "K", "abc\r\n"}}, "S"},
        ParseCase{"ValueWithoutLineBreakAtEnd", "K=v", {}, {{"", "K", "v"}}, ""},
        ParseCase{"EntriesBeforeAndAfterHeader", "A=1\r\n[S]\r\nB=2\r\n[T]\r\n", {"S", "T"},
                  {{"", "A", "1"}, {"S", "B", "2"}}, "T"},
        ParseCase{"EmptyValue", "[S]\r\nK=\r\nL=;x\r\n", {"S"}, {{"S", "K", ""}, {"S", "L", ""}, {"S", "x\r\n", ""}},
                  "S"}),
    [](const ::testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

TEST(Parse, EntriesBeforeTheFirstHeaderBelongToTheSectionCurrentBeforeParsing)
{
    CIniFile ini;
    ASSERT_TRUE(ini.LoadFromString("[Earlier]\r\n"));
    ASSERT_TRUE(ini.LoadFromString("K=V\r\n[Later]\r\nL=W\r\n"));
    EXPECT_EQ(EntriesOf(ini), (Triples{{"Earlier", "K", "V"}, {"Later", "L", "W"}}));
    EXPECT_EQ(SectionsOf(ini), std::vector<std::string>{"Later"});
}

TEST(Parse, AgainGivesTheSameDocument)
{
    CIniFile ini;
    ASSERT_TRUE(ini.LoadFromString("[S]\r\nK=V\r\n[T]\r\nL=W\r\n"));
    const Triples first = EntriesOf(ini);
    EXPECT_TRUE(ini.Parse());
    EXPECT_EQ(EntriesOf(ini), first);
    EXPECT_EQ(SectionsOf(ini), (std::vector<std::string>{"S", "T"}));
}

TEST(Parse, HandlesLongLinesAndManyEntries)
{
    const std::string longValue(100000, 'v');
    std::string text = "[S]\r\nLONG=" + longValue + "\r\n";
    for (int i = 0; i < 5000; ++i)
        text.append("K").append(std::to_string(i)).append("=").append(std::to_string(i)).append("\r\n");
    CIniFile ini;
    ASSERT_TRUE(ini.LoadFromString(text.c_str()));
    ASSERT_EQ(ini.Entries().size(), 5001u);
    EXPECT_EQ(ini.Entries()[0]->value, longValue);
    EXPECT_EQ(ini.Entries()[5000]->key, "K4999");
    EXPECT_EQ(ini.Entries()[5000]->value, "4999");
}

}  // namespace
