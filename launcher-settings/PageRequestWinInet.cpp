#include "PageRequest.h"

#include <algorithm>
#include <initializer_list>
#include <windows.h>
#include <wininet.h>

#include "OwnedHandle.h"
#include "PageAddress.h"

namespace {

const char kCloseConnection[] = "Connection: close\r\n";

// WinINet's handles: NULL when there is none, closed with InternetCloseHandle.
struct InternetHandleKind {
    static HINTERNET None() { return nullptr; }
    static void Release(HINTERNET handle) { InternetCloseHandle(handle); }
};

// One WinINet handle, closed however the request ends.
using InternetHandle = OwnedHandle<InternetHandleKind>;

// What the caller and the thread that makes the request share. Whichever of
// the two lets go of it last deletes it: the caller stops waiting when the
// time is up, and the request then ends in its own time.
struct Exchange {
    std::string address;
    DWORD milliseconds = 0;
    std::size_t bodyLimit = 0;
    PageAnswer answer;
    LONG holders = 2;
};

void LetGo(Exchange* exchange)
{
    if (InterlockedDecrement(&exchange->holders) == 0)
        delete exchange;
}

RequestFailure FailureOf(DWORD error)
{
    switch (error) {
    case ERROR_INTERNET_CANNOT_CONNECT:
        return RequestFailure::CannotConnect;
    case ERROR_INTERNET_TIMEOUT:
        return RequestFailure::TimedOut;
    case ERROR_INTERNET_NAME_NOT_RESOLVED:
        return RequestFailure::NameNotFound;
    case ERROR_INTERNET_INVALID_CA:
    case ERROR_INTERNET_SEC_CERT_CN_INVALID:
    case ERROR_INTERNET_SEC_CERT_DATE_INVALID:
    case ERROR_INTERNET_SEC_CERT_ERRORS:
    case ERROR_INTERNET_SEC_CERT_REV_FAILED:
    case ERROR_INTERNET_SEC_CERT_REVOKED:
    case ERROR_INTERNET_SEC_INVALID_CERT:
        return RequestFailure::CertificateRejected;
    case ERROR_INTERNET_SECURITY_CHANNEL_ERROR:
        return RequestFailure::TlsFailed;
    case ERROR_INTERNET_CONNECTION_ABORTED:
    case ERROR_INTERNET_CONNECTION_RESET:
        return RequestFailure::ConnectionLost;
    case ERROR_HTTP_INVALID_SERVER_RESPONSE:
        return RequestFailure::NotHttp;
    default:
        return RequestFailure::Other;
    }
}

void Fail(PageAnswer& answer, DWORD error)
{
    answer.failure = FailureOf(error);
    answer.failureDetail = "WinINet error " + std::to_string(error);
}

// Every wait of the request, connecting, sending and each receive, is bounded
// by the whole request's time; Wine's WinINet honours these on the connection
// and request handles only.
void LimitWaits(HINTERNET handle, DWORD milliseconds)
{
    for (const DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                               INTERNET_OPTION_RECEIVE_TIMEOUT})
        InternetSetOptionA(handle, option, &milliseconds, sizeof milliseconds);
}

// A header of the answer, or nothing. HTTP_QUERY_CUSTOM finds the header whose
// name is in the buffer; a buffer too small is made the size WinINet asks for.
std::optional<std::string> Header(HINTERNET request, DWORD query, const std::string& name = "")
{
    DWORD length = 256;
    for (int attempt = 0; attempt < 2; ++attempt) {
        std::string buffer(std::max<std::size_t>(length, name.size() + 1), '\0');
        buffer.replace(0, name.size(), name);
        length = static_cast<DWORD>(buffer.size());
        if (HttpQueryInfoA(request, query, buffer.data(), &length, nullptr)) {
            buffer.resize(length);
            return buffer;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            return std::nullopt;
    }
    return std::nullopt;
}

void ReadBody(HINTERNET request, std::size_t limit, PageAnswer& answer)
{
    char chunk[65536];
    for (;;) {
        DWORD got = 0;
        if (!InternetReadFile(request, chunk, sizeof chunk, &got)) {
            Fail(answer, GetLastError());
            return;
        }
        if (got == 0)
            return;
        const std::size_t room = limit - answer.body.size();
        answer.body.append(chunk, got < room ? got : room);
        if (got > room) {
            answer.bodyCut = true;
            return;
        }
    }
}

// The GET itself: no redirect followed, nothing from the cache or written to
// it, no dialog, no second request to authenticate. "Connection: close", since
// nothing is fetched later on the connection: a server that keeps it open
// would leave WinINet's pool, and the thread that watches it, running when the
// tool ends.
void Request(Exchange& exchange)
{
    PageAnswer& answer = exchange.answer;
    AddressParts parts;
    SplitAddress(exchange.address, parts);
    InternetHandle session(InternetOpenA(kPageUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (session.Get() == nullptr)
        return Fail(answer, GetLastError());
    InternetHandle connection(InternetConnectA(session.Get(), parts.host.c_str(),
                                               static_cast<INTERNET_PORT>(parts.port),
                                               parts.userName.empty() ? nullptr : parts.userName.c_str(),
                                               parts.password.empty() ? nullptr : parts.password.c_str(),
                                               INTERNET_SERVICE_HTTP, 0, 0));
    if (connection.Get() == nullptr)
        return Fail(answer, GetLastError());
    LimitWaits(connection.Get(), exchange.milliseconds);
    const DWORD flags = INTERNET_FLAG_NO_AUTO_REDIRECT | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                        INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_AUTH | (parts.secure ? INTERNET_FLAG_SECURE : 0);
    InternetHandle request(
        HttpOpenRequestA(connection.Get(), "GET", parts.target.c_str(), nullptr, nullptr, nullptr, flags, 0));
    if (request.Get() == nullptr)
        return Fail(answer, GetLastError());
    LimitWaits(request.Get(), exchange.milliseconds);
    if (!HttpSendRequestA(request.Get(), kCloseConnection, static_cast<DWORD>(-1), nullptr, 0))
        return Fail(answer, GetLastError());
    DWORD status = 0;
    DWORD length = sizeof status;
    HttpQueryInfoA(request.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &length, nullptr);
    answer.status = static_cast<int>(status);
    answer.location = Header(request.Get(), HTTP_QUERY_LOCATION).value_or("");
    answer.contentType = Header(request.Get(), HTTP_QUERY_CONTENT_TYPE);
    answer.compatibility = Header(request.Get(), HTTP_QUERY_CUSTOM, "X-UA-Compatible");
    if (!IsRedirect(answer))
        ReadBody(request.Get(), exchange.bodyLimit, answer);
}

DWORD WINAPI RunRequest(void* parameter)
{
    Exchange* exchange = static_cast<Exchange*>(parameter);
    Request(*exchange);
    LetGo(exchange);
    return 0;
}

}  // namespace

// WinINet cannot be stopped from another thread (under Wine closing its
// handles does not end a wait), and it resolves names without a time limit,
// so the request runs on a thread of its own and the caller waits for it no
// longer than the time given.
void RequestPage(const std::string& address, long milliseconds, std::size_t bodyLimit, PageAnswer& answer)
{
    answer = PageAnswer();
    Exchange* exchange = new Exchange;
    exchange->address = address;
    exchange->milliseconds = static_cast<DWORD>(milliseconds);
    exchange->bodyLimit = bodyLimit;
    const OwnedKernelHandle thread(CreateThread(nullptr, 0, RunRequest, exchange, 0, nullptr));
    if (!thread) {
        Fail(answer, GetLastError());
        delete exchange;
        return;
    }
    const bool ended = WaitForSingleObject(thread.Get(), static_cast<DWORD>(milliseconds)) == WAIT_OBJECT_0;
    if (ended)
        answer = std::move(exchange->answer);
    else
        answer.failure = RequestFailure::TimedOut;
    LetGo(exchange);
}
