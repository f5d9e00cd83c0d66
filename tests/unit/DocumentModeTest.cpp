// The document mode the browser control draws a page in: X-UA-Compatible
// values, where the meta element stands in the page, the doctype, and which
// of meta element, header and doctype decides.
#include "DocumentMode.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace {

using Mode = DocumentMode;

// --- values -------------------------------------------------------------------

struct ValueCase {
    const char* name;
    std::string value;
    std::optional<Mode> withDoctype;
    std::optional<Mode> withoutDoctype;
};

void PrintTo(const ValueCase& c, std::ostream* os) { *os << c.name; }

class ValueCases : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ValueCases, NamesTheModeTheEngineTakes)
{
    const ValueCase& c = GetParam();
    EXPECT_EQ(RequestedMode(c.value, true), c.withDoctype);
    EXPECT_EQ(RequestedMode(c.value, false), c.withoutDoctype);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ValueCases,
    ::testing::Values(ValueCase{"Edge", "IE=edge", Mode::Edge, Mode::Edge},
                      ValueCase{"CaseAndSpacesDoNotMatter", " ie = EDGE ", Mode::Edge, Mode::Edge},
                      ValueCase{"Eleven", "IE=11", Mode::Ie11, Mode::Ie11},
                      ValueCase{"SevenIgnoresTheDoctype", "IE=7", Mode::Ie7, Mode::Ie7},
                      ValueCase{"FiveIsQuirks", "IE=5", Mode::Quirks, Mode::Quirks},
                      ValueCase{"EmulateFollowsTheDoctype", "IE=EmulateIE9", Mode::Ie9, Mode::Quirks},
                      ValueCase{"EmulateEleven", "IE=emulateie11", Mode::Ie11, Mode::Quirks},
                      ValueCase{"HighestOfSemicolonList", "IE=9; IE=8", Mode::Ie9, Mode::Ie9},
                      ValueCase{"HighestOfCommaList", "IE=7,IE=10", Mode::Ie10, Mode::Ie10},
                      ValueCase{"EdgeInAList", "IE=8; IE=edge", Mode::Edge, Mode::Edge},
                      ValueCase{"EmulateAndPlainInAList", "IE=EmulateIE7, IE=9", Mode::Ie9, Mode::Ie9},
                      ValueCase{"ChromeFrameIgnored", "IE=edge,chrome=1", Mode::Edge, Mode::Edge},
                      ValueCase{"NewerThanTheEngineIsItsNewest", "IE=12", Mode::Edge, Mode::Edge},
                      ValueCase{"OnlyChromeFrame", "chrome=1", std::nullopt, std::nullopt},
                      ValueCase{"NoVersion", "IE=", std::nullopt, std::nullopt},
                      ValueCase{"UnknownWord", "IE=latest", std::nullopt, std::nullopt},
                      ValueCase{"NoModeSix", "IE=6", std::nullopt, std::nullopt},
                      ValueCase{"EmulateOfNoMode", "IE=EmulateIE6", std::nullopt, std::nullopt},
                      ValueCase{"WithoutName", "edge", std::nullopt, std::nullopt},
                      ValueCase{"Empty", "", std::nullopt, std::nullopt}));

// --- reading the page ---------------------------------------------------------

const char kEdgeMeta[] = "<meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\">";

struct PageCase {
    const char* name;
    std::string html;
    bool doctype;
    bool found;
    bool honoured;
    int line;                // of the meta element
    std::string blocker;     // for one that is not honoured
    int blockerLine;
    std::string content;
};

void PrintTo(const PageCase& c, std::ostream* os) { *os << c.name; }

class PageCases : public ::testing::TestWithParam<PageCase> {};

TEST_P(PageCases, FindsDoctypeAndMetaElementWithItsPlace)
{
    const PageCase& c = GetParam();
    const PageDocument document = ReadPageDocument(c.html);
    EXPECT_EQ(document.doctype, c.doctype);
    EXPECT_EQ(document.meta.found, c.found);
    EXPECT_EQ(document.meta.honoured, c.honoured);
    EXPECT_EQ(document.meta.line, c.line);
    EXPECT_EQ(document.meta.blocker, c.blocker);
    EXPECT_EQ(document.meta.blockerLine, c.blockerLine);
    EXPECT_EQ(document.meta.content, c.content);
}

const std::string kHead = "<!DOCTYPE html>\n<html>\n<head>\n";

INSTANTIATE_TEST_SUITE_P(
    Table, PageCases,
    ::testing::Values(
        PageCase{"FirstInHead", kHead + kEdgeMeta + "\n<title>T</title>", true, true, true, 4, "", 0, "IE=edge"},
        PageCase{"AfterTitleAndOtherMeta", kHead + "<meta charset=\"utf-8\">\n<title>A <b> title</title>\n" + kEdgeMeta,
                 true, true, true, 6, "", 0, "IE=edge"},
        PageCase{"AfterComments", "<!-- a -->\n<!DOCTYPE html><!-- <script> -->" + std::string(kEdgeMeta), true, true,
                 true, 2, "", 0, "IE=edge"},
        PageCase{"WithoutHtmlAndHeadTags", "<!doctype html>" + std::string(kEdgeMeta), true, true, true, 1, "", 0,
                 "IE=edge"},
        PageCase{"AfterLinkIsIgnored", kHead + "<link rel=stylesheet href=a.css>\n" + kEdgeMeta, true, true, false, 5,
                 "<link>", 4, "IE=edge"},
        PageCase{"AfterScriptIsIgnored", kHead + "<script>var m = '<meta http-equiv=X-UA-Compatible content=IE=8>';</script>" + kEdgeMeta,
                 true, true, false, 4, "<script>", 4, "IE=edge"},
        PageCase{"InBodyIsIgnored", kHead + "</head>\n<body>\n" + kEdgeMeta, true, true, false, 6, "</head>", 4,
                 "IE=edge"},
        PageCase{"AfterTextIsIgnored", "<html>Welcome\n" + std::string(kEdgeMeta), false, true, false, 2, "text", 1,
                 "IE=edge"},
        PageCase{"UpperCaseAndOtherQuotes", "<HTML><HEAD><META HTTP-EQUIV='x-ua-compatible' CONTENT='IE=8'>", false, true,
                 true, 1, "", 0, "IE=8"},
        PageCase{"UnquotedAttributes", "<meta content=IE=9 http-equiv=X-UA-Compatible>", false, true, true, 1, "", 0,
                 "IE=9"},
        PageCase{"FirstOfTwoAttributes", "<meta http-equiv=X-UA-Compatible content=IE=8 content=IE=edge>", false, true,
                 true, 1, "", 0, "IE=8"},
        PageCase{"InsideCommentIsNoElement", "<!DOCTYPE html><!-- " + std::string(kEdgeMeta) + " -->", true, false,
                 false, 0, "", 0, ""},
        PageCase{"InsideTitleIsText", "<title>" + std::string(kEdgeMeta) + "</title>", false, false, false, 0, "", 0,
                 ""},
        PageCase{"OtherHttpEquiv", "<meta http-equiv=\"Content-Type\" content=\"text/html\">", false, false, false, 0, "",
                 0, ""},
        PageCase{"ByteOrderMarkBeforeDoctype", "\xEF\xBB\xBF<!DOCTYPE html><p>x", true, false, false, 0, "", 0, ""},
        PageCase{"NoDoctype", "<html><head><title>T</title></head><body>x</body></html>", false, false, false, 0, "", 0,
                 ""},
        PageCase{"DoctypeAfterAnElementIsNone", "<html><!DOCTYPE html>", false, false, false, 0, "", 0, ""},
        PageCase{"DoctypeAfterTextIsNone", "x<!DOCTYPE html>", false, false, false, 0, "", 0, ""},
        PageCase{"LessThanInText", "a < b " + std::string(kEdgeMeta), false, true, false, 1, "text", 1, "IE=edge"},
        PageCase{"UnclosedEverything", "<!DOCTYPE html><meta http-equiv=\"X-UA-Compatible", true, true, true, 1, "", 0,
                 ""},
        PageCase{"Empty", "", false, false, false, 0, "", 0, ""}));

// --- the choice ---------------------------------------------------------------

struct ChoiceCase {
    const char* name;
    std::string html;
    std::optional<std::string> header;
    Mode mode;
    ModeSource source;
    std::string value;
};

void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << c.name; }

class ChoiceCases : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(ChoiceCases, TakesMetaThenHeaderThenDoctype)
{
    const ChoiceCase& c = GetParam();
    const DocumentModeChoice choice = ChooseDocumentMode(ReadPageDocument(c.html), c.header);
    EXPECT_EQ(choice.mode, c.mode);
    EXPECT_EQ(choice.source, c.source);
    EXPECT_EQ(choice.value, c.value);
}

const std::string kMeta8 = "<!DOCTYPE html><meta http-equiv=X-UA-Compatible content=IE=8>";

INSTANTIATE_TEST_SUITE_P(
    Table, ChoiceCases,
    ::testing::Values(
        ChoiceCase{"MetaWinsOverHeader", kMeta8, "IE=edge", Mode::Ie8, ModeSource::MetaElement, "IE=8"},
        ChoiceCase{"HeaderAlone", "<!DOCTYPE html><p>x", "IE=edge", Mode::Edge, ModeSource::Header, "IE=edge"},
        ChoiceCase{"HeaderEmulateWithoutDoctype", "<p>x", "IE=EmulateIE8", Mode::Quirks, ModeSource::Header,
                   "IE=EmulateIE8"},
        ChoiceCase{"IgnoredMetaLeavesTheHeader", "<!DOCTYPE html><link><meta http-equiv=X-UA-Compatible content=IE=8>",
                   "IE=edge", Mode::Edge, ModeSource::Header, "IE=edge"},
        ChoiceCase{"MetaNamingNoModeLeavesTheHeader", "<meta http-equiv=X-UA-Compatible content=chrome=1>", "IE=10",
                   Mode::Ie10, ModeSource::Header, "IE=10"},
        ChoiceCase{"DoctypeAloneIsIe7", "<!DOCTYPE html><p>x", std::nullopt, Mode::Ie7, ModeSource::Doctype, ""},
        ChoiceCase{"HeaderNamingNoModeLeavesTheDoctype", "<!DOCTYPE html>", "chrome=1", Mode::Ie7, ModeSource::Doctype,
                   ""},
        ChoiceCase{"NothingIsQuirks", "<p>x", std::nullopt, Mode::Quirks, ModeSource::NoDoctype, ""}));

TEST(DocumentModeNames, AreTheReportsNames)
{
    EXPECT_STREQ(DocumentModeName(Mode::Quirks), "quirks");
    EXPECT_STREQ(DocumentModeName(Mode::Ie7), "7");
    EXPECT_STREQ(DocumentModeName(Mode::Ie10), "10");
    EXPECT_STREQ(DocumentModeName(Mode::Edge), "edge");
    EXPECT_STREQ(ModeSourceName(ModeSource::NoDoctype), "no-doctype");
    EXPECT_EQ(DocumentModeWords(Mode::Ie8), "IE8 standards mode");
}

}  // namespace
