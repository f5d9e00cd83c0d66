#include "PageFetch.h"

#include <chrono>

#include "PageAddress.h"
#include "VisibleText.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string Seconds(int seconds) { return std::to_string(seconds) + (seconds == 1 ? " second" : " seconds"); }

std::string FailureText(const PageAnswer& answer, int timeoutSeconds)
{
    switch (answer.failure) {
    case RequestFailure::None:
        return "";
    case RequestFailure::CannotConnect:
        return "cannot connect to the server (refused or unreachable)";
    case RequestFailure::TimedOut:
        return "timed out: no complete answer within " + Seconds(timeoutSeconds);
    case RequestFailure::NameNotFound:
        return "the server's name was not found";
    case RequestFailure::CertificateRejected:
        return "TLS: the server's certificate is not trusted for its name";
    case RequestFailure::TlsFailed:
        return "TLS: no secure connection could be set up";
    case RequestFailure::ConnectionLost:
        return "the connection closed before the answer was complete";
    case RequestFailure::NotHttp:
        return "the server's answer is not HTTP";
    case RequestFailure::Other:
        return answer.failureDetail;
    }
    return answer.failureDetail;
}

void Fail(PageFetch& fetch, FetchError error, const std::string& text)
{
    fetch.error = error;
    fetch.errorText = text;
}

// Why `address` is not requested, or empty when it may be.
std::string RefusalOf(const std::string& address)
{
    if (!IsWebAddress(address))
        return "it is not an http: or https: address";
    const std::string problem = AddressProblem(address);
    return problem.empty() ? "" : "the address " + problem;
}

}  // namespace

void FetchPage(const std::string& address, int timeoutSeconds, PageRequester request, PageFetch& fetch)
{
    fetch = PageFetch();
    fetch.address = address;
    const std::string refusal = RefusalOf(address);
    if (!refusal.empty()) {
        Fail(fetch, FetchError::NotFetched, "not fetched: " + refusal);
        return;
    }
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(timeoutSeconds);
    std::string next = address;
    for (;;) {
        const long remaining = static_cast<long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count());
        fetch.answer = PageAnswer();
        if (remaining <= 0) {
            fetch.answer.failure = RequestFailure::TimedOut;
        } else {
            fetch.finalAddress = next;
            request(next, remaining, kMostPageBytes, fetch.answer);
            // A request that failed once the time was up failed because of it,
            // whatever the internet layer calls it.
            if (fetch.answer.failure != RequestFailure::None && Clock::now() >= deadline)
                fetch.answer.failure = RequestFailure::TimedOut;
        }
        if (fetch.answer.failure != RequestFailure::None) {
            Fail(fetch, FetchError::NoAnswer, FailureText(fetch.answer, timeoutSeconds));
            return;
        }
        if (!IsRedirect(fetch.answer))
            return;
        if (fetch.redirects == kMostRedirects) {
            // Appended piece by piece: GCC 12 misreads the chain of + here as an
            // overlapping copy (-Wrestrict) in the 32-bit optimised builds.
            std::string reason = "more than ";
            reason.append(std::to_string(kMostRedirects)).append(" redirects (the last to ");
            reason.append(VisibleBytes(ResolveAddress(next, fetch.answer.location))).append(")");
            Fail(fetch, FetchError::TooManyRedirects, reason);
            return;
        }
        next = ResolveAddress(next, fetch.answer.location);
        const std::string redirectRefusal = RefusalOf(next);
        if (!redirectRefusal.empty()) {
            Fail(fetch, FetchError::BadRedirect,
                 "redirected to " + VisibleBytes(next) + ", which is not fetched: " + redirectRefusal);
            return;
        }
        ++fetch.redirects;
    }
}
