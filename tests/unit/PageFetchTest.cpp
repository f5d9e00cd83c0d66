// The fetch of the launch page against a fake internet layer: the redirects
// it follows and where it stops, what it never requests, and how failures and
// the time limit reach the result.
#include "PageFetch.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <string>
#include <vector>

namespace {

// The answers of the fake internet layer by address, and what it was asked.
struct FakeServer {
    std::map<std::string, PageAnswer> answers;
    std::vector<std::string> requested;
    std::vector<long> milliseconds;
};

FakeServer* g_server = nullptr;

void FakeRequest(const std::string& address, long milliseconds, std::size_t bodyLimit, PageAnswer& answer)
{
    g_server->requested.push_back(address);
    g_server->milliseconds.push_back(milliseconds);
    EXPECT_EQ(bodyLimit, kMostPageBytes);
    const auto found = g_server->answers.find(address);
    if (found == g_server->answers.end()) {
        answer = PageAnswer();
        answer.failure = RequestFailure::CannotConnect;
        return;
    }
    answer = found->second;
}

PageAnswer Page(int status, const std::string& body)
{
    PageAnswer answer;
    answer.status = status;
    answer.contentType = "text/html";
    answer.body = body;
    return answer;
}

PageAnswer Redirect(int status, const std::string& location)
{
    PageAnswer answer;
    answer.status = status;
    answer.location = location;
    return answer;
}

class PageFetchTest : public ::testing::Test {
protected:
    void SetUp() override { g_server = &m_server; }
    void TearDown() override { g_server = nullptr; }

    PageFetch Fetch(const std::string& address, int timeoutSeconds = kDefaultPageTimeout)
    {
        PageFetch fetch;
        FetchPage(address, timeoutSeconds, FakeRequest, fetch);
        return fetch;
    }

    FakeServer m_server;
};

TEST_F(PageFetchTest, TakesTheAnswerOfOneRequest)
{
    m_server.answers["http://a/launch.php"] = Page(200, "<p>x");
    const PageFetch fetch = Fetch("http://a/launch.php");
    EXPECT_EQ(fetch.error, FetchError::None);
    EXPECT_EQ(fetch.errorText, "");
    EXPECT_EQ(fetch.finalAddress, "http://a/launch.php");
    EXPECT_EQ(fetch.redirects, 0);
    EXPECT_EQ(fetch.answer.status, 200);
    EXPECT_EQ(fetch.answer.body, "<p>x");
    EXPECT_EQ(m_server.requested, std::vector<std::string>{"http://a/launch.php"});
}

TEST_F(PageFetchTest, FollowsEveryKindOfRedirectResolvingRelativeLocations)
{
    m_server.answers["http://a/1"] = Redirect(301, "/2");
    m_server.answers["http://a/2"] = Redirect(302, "3");
    m_server.answers["http://a/3"] = Redirect(303, "http://b/4");
    m_server.answers["http://b/4"] = Redirect(307, "//c/5");
    m_server.answers["http://c/5"] = Redirect(308, "https://c/6");
    m_server.answers["https://c/6"] = Page(200, "page");
    const PageFetch fetch = Fetch("http://a/1");
    EXPECT_EQ(fetch.error, FetchError::None);
    EXPECT_EQ(fetch.finalAddress, "https://c/6");
    EXPECT_EQ(fetch.redirects, 5);
    EXPECT_EQ(m_server.requested, (std::vector<std::string>{"http://a/1", "http://a/2", "http://a/3", "http://b/4",
                                                            "http://c/5", "https://c/6"}));
}

TEST_F(PageFetchTest, FollowsTenRedirects)
{
    for (int i = 0; i < kMostRedirects; ++i)
        m_server.answers["http://a/" + std::to_string(i)] = Redirect(302, std::to_string(i + 1));
    m_server.answers["http://a/" + std::to_string(kMostRedirects)] = Page(200, "page");
    const PageFetch fetch = Fetch("http://a/0");
    EXPECT_EQ(fetch.error, FetchError::None);
    EXPECT_EQ(fetch.redirects, kMostRedirects);
    EXPECT_EQ(m_server.requested.size(), static_cast<std::size_t>(kMostRedirects + 1));
}

TEST_F(PageFetchTest, StopsALoopAtTheEleventhRedirect)
{
    m_server.answers["http://a/loop"] = Redirect(302, "/loop");
    const PageFetch fetch = Fetch("http://a/loop");
    EXPECT_EQ(fetch.error, FetchError::TooManyRedirects);
    EXPECT_EQ(fetch.errorText, "more than 10 redirects (the last to http://a/loop)");
    EXPECT_EQ(fetch.redirects, kMostRedirects);
    EXPECT_EQ(fetch.finalAddress, "http://a/loop");
    EXPECT_EQ(m_server.requested.size(), static_cast<std::size_t>(kMostRedirects + 1));
}

// A redirect to another scheme (file: would read the player's own disk) or to
// an address that cannot be sent as it stands ends the fetch unrequested.
TEST_F(PageFetchTest, NeverRequestsARedirectItDoesNotFetch)
{
    const std::pair<std::string, std::string> cases[] = {
        {"file:///C:/Windows/win.ini",
         "redirected to file:///C:/Windows/win.ini, which is not fetched: it is not an http: or https: address"},
        {"/a b",
         "redirected to http://a/a b, which is not fetched: the address holds a space, which an address writes as %20"},
    };
    for (const auto& [location, text] : cases) {
        m_server.requested.clear();
        m_server.answers["http://a/x"] = Redirect(302, location);
        const PageFetch fetch = Fetch("http://a/x");
        EXPECT_EQ(fetch.error, FetchError::BadRedirect);
        EXPECT_EQ(fetch.errorText, text);
        EXPECT_EQ(fetch.finalAddress, "http://a/x");
        EXPECT_EQ(fetch.redirects, 0);
        EXPECT_EQ(m_server.requested, std::vector<std::string>{"http://a/x"});
    }
}

TEST_F(PageFetchTest, RequestsNothingForAddressesItDoesNotFetch)
{
    for (const char* address : {"", "about:blank", "file:///C:/game/launch.html", "ftp://a/x", "127.0.0.1/launch.php",
                                "http://a/\xC4\xE3", "http:///launch.php"}) {
        const PageFetch fetch = Fetch(address);
        EXPECT_EQ(fetch.error, FetchError::NotFetched) << address;
        EXPECT_EQ(fetch.errorText.rfind("not fetched: ", 0), 0u) << fetch.errorText;
        EXPECT_EQ(fetch.finalAddress, "");
    }
    EXPECT_TRUE(m_server.requested.empty());
}

TEST_F(PageFetchTest, TakesAnAnswerThatIsNoRedirectAsTheLast)
{
    m_server.answers["http://a/304"] = Redirect(304, "/elsewhere");
    m_server.answers["http://a/302"] = Redirect(302, "");
    m_server.answers["http://a/404"] = Page(404, "not found");
    for (const char* address : {"http://a/304", "http://a/302", "http://a/404"}) {
        const PageFetch fetch = Fetch(address);
        EXPECT_EQ(fetch.error, FetchError::None) << address;
        EXPECT_EQ(fetch.finalAddress, address);
    }
    EXPECT_EQ(m_server.requested.size(), 3u);
}

struct FailureCase {
    RequestFailure failure;
    std::string text;
};

TEST_F(PageFetchTest, NamesTheCauseOfAFailedRequest)
{
    const FailureCase cases[] = {
        {RequestFailure::CannotConnect, "cannot connect to the server (refused or unreachable)"},
        {RequestFailure::TimedOut, "timed out: no complete answer within 3 seconds"},
        {RequestFailure::NameNotFound, "the server's name was not found"},
        {RequestFailure::CertificateRejected, "TLS: the server's certificate is not trusted for its name"},
        {RequestFailure::TlsFailed, "TLS: no secure connection could be set up"},
        {RequestFailure::ConnectionLost, "the connection closed before the answer was complete"},
        {RequestFailure::NotHttp, "the server's answer is not HTTP"},
        {RequestFailure::Other, "the layer's own words"},
    };
    for (const FailureCase& c : cases) {
        PageAnswer failed;
        failed.failure = c.failure;
        failed.failureDetail = "the layer's own words";
        m_server.answers["http://a/"] = Redirect(302, "/x");
        m_server.answers["http://a/x"] = failed;
        const PageFetch fetch = Fetch("http://a/", 3);
        EXPECT_EQ(fetch.error, FetchError::NoAnswer);
        EXPECT_EQ(fetch.errorText, c.text);
        EXPECT_EQ(fetch.finalAddress, "http://a/x");
        EXPECT_EQ(fetch.redirects, 1);
    }
}

TEST_F(PageFetchTest, GivesEachRequestOnlyTheTimeLeft)
{
    m_server.answers["http://a/1"] = Redirect(302, "/2");
    m_server.answers["http://a/2"] = Page(200, "page");
    Fetch("http://a/1", 2);
    ASSERT_EQ(m_server.milliseconds.size(), 2u);
    EXPECT_GT(m_server.milliseconds[0], 0);
    EXPECT_LE(m_server.milliseconds[0], 2000);
    EXPECT_GT(m_server.milliseconds[1], 0);
    EXPECT_LE(m_server.milliseconds[1], m_server.milliseconds[0]);
}

}  // namespace
