// The fetch of the launch page as the browser control would make it: a GET of
// the address, the redirects followed, within fixed limits. Portable: the one
// request is made by a PageRequester, RequestPage unless a test gives another.
#pragma once

#include <cstddef>
#include <string>

#include "PageRequest.h"

constexpr int kMostRedirects = 10;
constexpr std::size_t kMostPageBytes = 4 * 1024 * 1024;
constexpr int kDefaultPageTimeout = 10;  // seconds
constexpr int kLongestPageTimeout = 3600;

using PageRequester = void (*)(const std::string& address, long milliseconds, std::size_t bodyLimit,
                               PageAnswer& answer);

enum class FetchError {
    None,
    NotFetched,        // not a web address, or not one that can be requested as it stands
    NoAnswer,          // a request failed: `answer.failure` says why
    TooManyRedirects,
    BadRedirect,       // a redirect to an address that is not fetched
};

struct PageFetch {
    std::string address;       // the address asked for
    std::string finalAddress;  // the last address requested, empty when none was
    int redirects = 0;         // redirects followed
    FetchError error = FetchError::None;
    std::string errorText;     // the cause in words, empty without an error
    PageAnswer answer;         // the last answer; the page itself when there is no error
};

// Fetches `address`: only http and https addresses, at most kMostRedirects
// redirects, at most kMostPageBytes of the page's body, and all of it within
// `timeoutSeconds`.
void FetchPage(const std::string& address, int timeoutSeconds, PageRequester request, PageFetch& fetch);
