#include "PageRequest.h"

#include <curl/curl.h>

namespace {

struct Body {
    PageAnswer* answer;
    std::size_t limit;
};

// Keeps the body up to the limit; returning less than was given ends the
// transfer there, which curl then reports as a write error.
std::size_t KeepBody(char* data, std::size_t size, std::size_t count, void* context)
{
    Body& body = *static_cast<Body*>(context);
    const std::size_t length = size * count;
    const std::size_t room = body.limit - body.answer->body.size();
    if (length > room) {
        body.answer->body.append(data, room);
        body.answer->bodyCut = true;
        return 0;
    }
    body.answer->body.append(data, length);
    return length;
}

std::optional<std::string> Header(CURL* curl, const char* name)
{
    curl_header* header = nullptr;
    if (curl_easy_header(curl, name, 0, CURLH_HEADER, -1, &header) != CURLHE_OK)
        return std::nullopt;
    return std::string(header->value);
}

RequestFailure FailureOf(CURLcode code)
{
    switch (code) {
    case CURLE_COULDNT_CONNECT:
        return RequestFailure::CannotConnect;
    case CURLE_OPERATION_TIMEDOUT:
        return RequestFailure::TimedOut;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return RequestFailure::NameNotFound;
    case CURLE_PEER_FAILED_VERIFICATION:
        return RequestFailure::CertificateRejected;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
        return RequestFailure::TlsFailed;
    case CURLE_GOT_NOTHING:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_PARTIAL_FILE:
        return RequestFailure::ConnectionLost;
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_UNSUPPORTED_PROTOCOL:
        return RequestFailure::NotHttp;
    default:
        return RequestFailure::Other;
    }
}

// One easy handle, cleaned up however the request ends.
class Transfer {
public:
    Transfer() : m_curl(curl_easy_init()) {}
    ~Transfer()
    {
        if (m_curl != nullptr)
            curl_easy_cleanup(m_curl);
    }
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;
    CURL* Handle() const { return m_curl; }

private:
    CURL* m_curl;
};

}  // namespace

void RequestPage(const std::string& address, long milliseconds, std::size_t bodyLimit, PageAnswer& answer)
{
    answer = PageAnswer();
    Transfer transfer;
    CURL* curl = transfer.Handle();
    if (curl == nullptr) {
        answer.failure = RequestFailure::Other;
        answer.failureDetail = "libcurl could not start a transfer";
        return;
    }
    Body body{&answer, bodyLimit};
    curl_easy_setopt(curl, CURLOPT_URL, address.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, milliseconds);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, kPageUserAgent);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, KeepBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    const CURLcode code = curl_easy_perform(curl);
    if (code != CURLE_OK && !(code == CURLE_WRITE_ERROR && answer.bodyCut)) {
        answer = PageAnswer();
        answer.failure = FailureOf(code);
        answer.failureDetail = curl_easy_strerror(code);
        return;
    }
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    answer.status = static_cast<int>(status);
    answer.location = Header(curl, "Location").value_or("");
    answer.contentType = Header(curl, "Content-Type");
    answer.compatibility = Header(curl, "X-UA-Compatible");
    if (IsRedirect(answer)) {
        answer.body.clear();
        answer.bodyCut = false;
    }
}
