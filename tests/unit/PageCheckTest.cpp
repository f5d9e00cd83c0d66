// What a finished fetch of the launch page means for the report: the warnings
// for failures, statuses and document modes, with their fixes, and the page's
// lines of the text report and its JSON member.
#include "PageCheck.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "PageReport.h"

namespace {

const char kAddress[] = "http://a.example/launch.php";
const std::string kEdgeMeta = "<meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\">";
const std::string kMetaFix = "change the meta element to " + kEdgeMeta;
const std::string kAddFix = "add " + kEdgeMeta +
                            " as the first element of <head> (after <title> and other <meta> at most), or send the "
                            "header X-UA-Compatible: IE=edge";

PageFetch Answered(int status, const std::string& body, std::optional<std::string> header = std::nullopt,
                   std::optional<std::string> contentType = "text/html")
{
    PageFetch fetch;
    fetch.address = kAddress;
    fetch.finalAddress = kAddress;
    fetch.answer.status = status;
    fetch.answer.body = body;
    fetch.answer.compatibility = header;
    fetch.answer.contentType = contentType;
    return fetch;
}

PageFetch Failed(FetchError error, const std::string& text, RequestFailure failure = RequestFailure::None)
{
    PageFetch fetch;
    fetch.address = kAddress;
    fetch.finalAddress = error == FetchError::NotFetched ? "" : kAddress;
    fetch.error = error;
    fetch.errorText = text;
    fetch.answer.failure = failure;
    return fetch;
}

// line, problem, fix
using Found = std::tuple<int, std::string, std::string>;

struct AssessCase {
    const char* name;
    PageFetch fetch;
    std::optional<std::string> mode;  // DocumentModeName, or none
    std::vector<Found> found;
};

void PrintTo(const AssessCase& c, std::ostream* os) { *os << c.name; }

class AssessCases : public ::testing::TestWithParam<AssessCase> {};

TEST_P(AssessCases, WarnsWithTheFixForWhatTheControlGets)
{
    const AssessCase& c = GetParam();
    PageCheck page;
    SettingsWarnings warnings;
    AssessPage(c.fetch, page, warnings);
    EXPECT_EQ(page.mode ? std::optional<std::string>(DocumentModeName(page.mode->mode)) : std::nullopt, c.mode);
    EXPECT_EQ(page.mode.has_value(), page.noModeReason.empty());
    std::vector<Found> found;
    for (const SettingsWarning& warning : warnings) {
        found.emplace_back(warning.line, warning.problem, warning.fix);
        EXPECT_EQ(warning.file, kAddress);
        EXPECT_EQ(warning.message.find('\n'), std::string::npos);
    }
    EXPECT_EQ(found, c.found);
}

const std::string kDoctype = "<!DOCTYPE html>\n";

INSTANTIATE_TEST_SUITE_P(
    Table, AssessCases,
    ::testing::Values(
        AssessCase{"EdgeMetaIsClean", Answered(200, kDoctype + kEdgeMeta), "edge", {}},
        AssessCase{"ElevenHeaderIsClean", Answered(204, "", "IE=11"), "11", {}},
        AssessCase{"LegacyMeta", Answered(200, kDoctype + "<meta http-equiv=X-UA-Compatible content=IE=8>", "IE=edge"),
                   "8", {{2, "document-mode", kMetaFix}}},
        AssessCase{"LegacyHeader", Answered(200, kDoctype, "IE=EmulateIE7"), "7",
                   {{0, "document-mode", "send the header X-UA-Compatible: IE=edge instead"}}},
        AssessCase{"DoctypeAlone", Answered(200, kDoctype + "<p>x"), "7", {{0, "document-mode", kAddFix}}},
        AssessCase{"NoDoctype", Answered(200, "<p>x"), "quirks", {{0, "document-mode", kAddFix}}},
        AssessCase{"NoContentTypeIsHtml", Answered(200, "<p>x", std::nullopt, std::nullopt), "quirks",
                   {{0, "document-mode", kAddFix}}},
        AssessCase{"MetaTooLate", Answered(200, kDoctype + "<script></script>\n" + kEdgeMeta), "7",
                   {{3, "document-mode",
                     "make " + kEdgeMeta + " the first element of <head> (after <title> and other <meta> at most)"}}},
        AssessCase{"MetaNamingNoMode", Answered(200, "<meta http-equiv=X-UA-Compatible content=chrome=1>"), "quirks",
                   {{1, "document-mode", kMetaFix}}},
        AssessCase{"TooLateMetaUnderAGoodHeader", Answered(200, "<p>x" + kEdgeMeta, "IE=edge"), "edge", {}},
        AssessCase{"NotHtml", Answered(200, "\x89PNG", std::nullopt, "image/png"), std::nullopt, {}},
        AssessCase{"XhtmlIsHtml", Answered(200, kEdgeMeta, std::nullopt, "Application/XHTML+XML; charset=utf-8"),
                   "edge", {}},
        AssessCase{"NotFound", Answered(404, kEdgeMeta), std::nullopt,
                   {{0, "page-status",
                     "serve the launch page at this address, or point resourceURL in ServerInfo.ini at the address "
                     "that serves it"}}},
        AssessCase{"Refused", Failed(FetchError::NoAnswer, "cannot connect", RequestFailure::CannotConnect),
                   std::nullopt,
                   {{0, "page-fetch-failed",
                     "make the server answer at this address, or point resourceURL in ServerInfo.ini at one that "
                     "does"}}},
        AssessCase{"Untrusted", Failed(FetchError::NoAnswer, "TLS", RequestFailure::CertificateRejected), std::nullopt,
                   {{0, "page-fetch-failed",
                     "give the server a certificate that Windows trusts for the name in the address"}}},
        AssessCase{"Loop", Failed(FetchError::TooManyRedirects, "more than 10 redirects"), std::nullopt,
                   {{0, "page-fetch-failed", "make the address lead to the page in at most 10 redirects"}}},
        AssessCase{"RedirectElsewhere", Failed(FetchError::BadRedirect, "redirected to file:"), std::nullopt,
                   {{0, "page-fetch-failed", "make the redirects lead to an http:// or https:// address of the page"}}},
        AssessCase{"NotFetched", Failed(FetchError::NotFetched, "not fetched: it is not an http: or https: address"),
                   std::nullopt,
                   {{0, "page-not-fetched",
                     "write the launch page's whole address, http:// or https:// and percent-encoded, in "
                     "resourceURL"}}}));

TEST(AssessPage, SaysWhichRequestsOfThePageTheEngineIgnores)
{
    PageCheck page;
    SettingsWarnings warnings;
    AssessPage(Answered(200, "<!DOCTYPE html>\n<title>T</title>\n<link href=a.css>\n" + kEdgeMeta, "chrome=1"), page,
               warnings);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].message,
              "the browser control draws the page in IE7 standards mode, not in edge mode: the page has a doctype and "
              "asks for no newer mode; its X-UA-Compatible meta element (line 4) is ignored, because <link> (line 3) "
              "stands before it; the X-UA-Compatible header \"chrome=1\" names no document mode, so it is ignored");
}

TEST(AssessPage, NamesAFetchWithoutAnAddressAfterTheLaunchPage)
{
    PageCheck page;
    SettingsWarnings warnings;
    PageFetch fetch = Failed(FetchError::NotFetched, "not fetched: it is not an http: or https: address");
    fetch.address = "";
    AssessPage(fetch, page, warnings);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].file, "launch page");
    EXPECT_EQ(warnings[0].message, "the launch page is not fetched: it is not an http: or https: address");
}

// --- the report ---------------------------------------------------------------

PageCheck Assessed(const PageFetch& fetch)
{
    PageCheck page;
    SettingsWarnings warnings;
    AssessPage(fetch, page, warnings);
    return page;
}

TEST(PageReport, ShowsAnAnsweredPage)
{
    PageFetch fetch = Answered(200, "<!DOCTYPE html>\n" + kEdgeMeta, "IE=8", "text/html; charset=utf-8");
    fetch.finalAddress = "http://a.example/final.php";
    fetch.redirects = 2;
    const PageCheck page = Assessed(fetch);
    EXPECT_EQ(PageReportText(page),
              "page answer:     200 from http://a.example/final.php after 2 redirects\n"
              "                 text/html; charset=utf-8, 69 bytes\n"
              "document mode:   edge mode (the engine's newest, IE11 standards)\n"
              "                 from the X-UA-Compatible meta element (line 2 of the page): \"IE=edge\"\n");
    EXPECT_EQ(PageReportJson(page),
              "{\"address\": \"http://a.example/launch.php\", \"status\": 200, \"final_address\": "
              "\"http://a.example/final.php\", \"redirects\": 2, \"content_type\": \"text/html; charset=utf-8\", "
              "\"bytes\": 69, \"truncated\": false, \"document_mode\": \"edge\", \"document_mode_source\": \"meta\", "
              "\"x_ua_compatible\": \"IE=edge\", \"error\": null}");
}

TEST(PageReport, ShowsACutBodyAndTheDefaultMode)
{
    PageFetch fetch = Answered(200, "<p>x", std::nullopt, std::nullopt);
    fetch.answer.bodyCut = true;
    const PageCheck page = Assessed(fetch);
    EXPECT_EQ(PageReportText(page),
              "page answer:     200 from http://a.example/launch.php after 0 redirects\n"
              "                 no content type, the first 4 bytes read, the rest left\n"
              "document mode:   quirks mode (IE5)\n"
              "                 the default for a page without a doctype: nothing the engine takes asks for another "
              "mode\n");
    EXPECT_NE(PageReportJson(page).find("\"content_type\": null, \"bytes\": 4, \"truncated\": true, \"document_mode\": "
                                        "\"quirks\", \"document_mode_source\": \"no-doctype\", \"x_ua_compatible\": null"),
              std::string::npos);
}

TEST(PageReport, ShowsAFailedFetch)
{
    PageFetch fetch = Failed(FetchError::NoAnswer, "cannot connect to the server (refused or unreachable)",
                             RequestFailure::CannotConnect);
    fetch.redirects = 1;
    const PageCheck page = Assessed(fetch);
    EXPECT_EQ(PageReportText(page),
              "page answer:     none: cannot connect to the server (refused or unreachable)\n"
              "                 at http://a.example/launch.php after 1 redirect\n"
              "document mode:   none: no page was received\n");
    EXPECT_EQ(PageReportJson(page),
              "{\"address\": \"http://a.example/launch.php\", \"status\": null, \"final_address\": "
              "\"http://a.example/launch.php\", \"redirects\": 1, \"content_type\": null, \"bytes\": null, "
              "\"truncated\": null, \"document_mode\": null, \"document_mode_source\": null, \"x_ua_compatible\": null, "
              "\"error\": \"cannot connect to the server (refused or unreachable)\"}");
}

TEST(PageReport, ShowsAnAddressThatIsNotFetched)
{
    PageFetch fetch = Failed(FetchError::NotFetched, "not fetched: it is not an http: or https: address");
    fetch.address = "about:\x01";
    const PageCheck page = Assessed(fetch);
    EXPECT_EQ(PageReportText(page),
              "page answer:     none: not fetched: it is not an http: or https: address\n"
              "document mode:   none: no page was received\n");
    EXPECT_NE(PageReportJson(page).find("{\"address\": \"about:\\u0001\", \"status\": null, \"final_address\": null, "
                                        "\"redirects\": 0,"),
              std::string::npos);
}

TEST(PageReport, SaysWhyAPageHasNoMode)
{
    EXPECT_NE(PageReportText(Assessed(Answered(404, "x"))).find("document mode:   none: the page answered 404, not 2xx\n"),
              std::string::npos);
    const PageCheck image = Assessed(Answered(200, "x", std::nullopt, "image/png"));
    EXPECT_NE(PageReportText(image).find("document mode:   none: the page is image/png, not HTML\n"),
              std::string::npos);
}

}  // namespace
