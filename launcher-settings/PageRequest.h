// One HTTP GET of the launch page, without following a redirect. Natively it
// is made with libcurl (PageRequestCurl.cpp); on Windows with WinINet
// (PageRequestWinInet.cpp), the internet layer of the browser control, with
// the system's proxy settings and certificate store. Everything that decides
// what is requested, and what the answer means, is portable and built on this.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

// Why a request got no answer, in terms both internet layers can tell apart.
enum class RequestFailure {
    None,
    CannotConnect,        // refused, or the server cannot be reached
    TimedOut,
    NameNotFound,         // the server's or the proxy's name
    CertificateRejected,  // TLS: a certificate the system does not trust for this name
    TlsFailed,            // TLS: no secure connection could be set up
    ConnectionLost,       // closed or reset before the answer was complete
    NotHttp,              // the server's answer is not HTTP
    Other,                // the internet layer's own words are in `failureDetail`
};

struct PageAnswer {
    RequestFailure failure = RequestFailure::None;
    std::string failureDetail;
    int status = 0;         // the HTTP status
    std::string location;   // the Location header, empty when there is none
    std::optional<std::string> contentType;
    std::optional<std::string> compatibility;  // the first X-UA-Compatible header
    std::string body;       // at most the limit; empty for a redirect
    bool bodyCut = false;   // the body went on beyond the limit and was not read further
};

// The user agent the request names: the form the browser control sends in its
// default IE7 mode, so that a server which picks its answer by the browser
// answers as it answers the launcher.
extern const char kPageUserAgent[];

// A redirect that the browser follows with another GET: 301, 302, 303, 307 or
// 308 with a Location.
bool IsRedirect(const PageAnswer& answer);

// Sends one GET for `address`, a web address that AddressProblem accepts, and
// reads the answer, all within `milliseconds`; the body of an answer that is
// not a redirect is kept up to `bodyLimit` bytes. No other request is sent.
void RequestPage(const std::string& address, long milliseconds, std::size_t bodyLimit, PageAnswer& answer);
