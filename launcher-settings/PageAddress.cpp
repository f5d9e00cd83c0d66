#include "PageAddress.h"

#include <algorithm>

#include "VisibleText.h"

namespace {

const char kNoServer[] = "names no server: a web address begins with http:// or https:// and the server's name";

// The five components of a URI reference (RFC 3986, appendix B), each with
// whether it is there at all, since an empty query differs from none.
struct Reference {
    bool hasScheme = false;
    std::string scheme;
    bool hasAuthority = false;
    std::string authority;
    std::string path;
    bool hasQuery = false;
    std::string query;
    bool hasFragment = false;
    std::string fragment;
};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Lowered(const std::string& text)
{
    std::string lowered(text);
    for (char& c : lowered)
        c = Lower(c);
    return lowered;
}

bool IsSchemeCharacter(char c, bool first)
{
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    return letter || (!first && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'));
}

Reference Parse(const std::string& text)
{
    Reference reference;
    std::size_t position = 0;
    const std::size_t colon = text.find_first_of(":/?#");
    if (colon != std::string::npos && colon > 0 && text[colon] == ':') {
        bool scheme = true;
        for (std::size_t i = 0; i < colon; ++i)
            scheme = scheme && IsSchemeCharacter(text[i], i == 0);
        if (scheme) {
            reference.hasScheme = true;
            reference.scheme = text.substr(0, colon);
            position = colon + 1;
        }
    }
    if (text.compare(position, 2, "//") == 0) {
        const std::size_t end = text.find_first_of("/?#", position + 2);
        reference.hasAuthority = true;
        reference.authority = text.substr(position + 2, end - (position + 2));
        position = end == std::string::npos ? text.size() : end;
    }
    const std::size_t pathEnd = std::min(text.find_first_of("?#", position), text.size());
    reference.path = text.substr(position, pathEnd - position);
    position = pathEnd;
    if (position < text.size() && text[position] == '?') {
        const std::size_t end = std::min(text.find('#', position), text.size());
        reference.hasQuery = true;
        reference.query = text.substr(position + 1, end - position - 1);
        position = end;
    }
    if (position < text.size()) {
        reference.hasFragment = true;
        reference.fragment = text.substr(position + 1);
    }
    return reference;
}

std::string Compose(const Reference& reference)
{
    std::string text;
    if (reference.hasScheme)
        text += reference.scheme + ":";
    if (reference.hasAuthority)
        text += "//" + reference.authority;
    text += reference.path;
    if (reference.hasQuery)
        text += "?" + reference.query;
    if (reference.hasFragment)
        text += "#" + reference.fragment;
    return text;
}

// RFC 3986, 5.2.4: "." and ".." segments removed.
std::string RemoveDotSegments(std::string input)
{
    std::string output;
    while (!input.empty()) {
        if (input.compare(0, 3, "../") == 0) {
            input.erase(0, 3);
        } else if (input.compare(0, 2, "./") == 0) {
            input.erase(0, 2);
        } else if (input.compare(0, 3, "/./") == 0) {
            input.erase(0, 2);
        } else if (input == "/.") {
            input.erase(1);
        } else if (input.compare(0, 4, "/../") == 0 || input == "/..") {
            input.erase(0, 3);
            if (input.empty())
                input.push_back('/');
            const std::size_t lastSlash = output.rfind('/');
            output.erase(lastSlash == std::string::npos ? 0 : lastSlash);
        } else if (input == "." || input == "..") {
            input.clear();
        } else {
            const std::size_t next = input.find('/', 1);
            output += input.substr(0, next);
            input.erase(0, next == std::string::npos ? input.size() : next);
        }
    }
    return output;
}

// RFC 3986, 5.2.3: a relative path appended to the base's directory.
std::string Merge(const Reference& base, const std::string& path)
{
    if (base.hasAuthority && base.path.empty())
        return "/" + path;
    const std::size_t lastSlash = base.path.rfind('/');
    return lastSlash == std::string::npos ? path : base.path.substr(0, lastSlash + 1) + path;
}

bool ParsePort(const std::string& digits, int defaultPort, int& port)
{
    if (digits.empty()) {
        port = defaultPort;
        return true;
    }
    if (digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    port = std::stoi(digits);
    return port > 0 && port <= 65535;
}

// The host and port of an authority after its user information; false when
// the port is not a number from 1 to 65535 or an IPv6 literal is not closed.
bool SplitHostPort(const std::string& hostPort, int defaultPort, std::string& host, int& port)
{
    std::string portDigits;
    if (!hostPort.empty() && hostPort[0] == '[') {
        const std::size_t close = hostPort.find(']');
        if (close == std::string::npos || (close + 1 < hostPort.size() && hostPort[close + 1] != ':'))
            return false;
        host = hostPort.substr(1, close - 1);
        portDigits = close + 1 < hostPort.size() ? hostPort.substr(close + 2) : "";
    } else {
        const std::size_t colon = hostPort.rfind(':');
        host = hostPort.substr(0, colon);
        portDigits = colon == std::string::npos ? "" : hostPort.substr(colon + 1);
    }
    return ParsePort(portDigits, defaultPort, port);
}

}  // namespace

bool IsWebAddress(const std::string& address)
{
    const Reference reference = Parse(address);
    const std::string scheme = Lowered(reference.scheme);
    return reference.hasScheme && (scheme == "http" || scheme == "https");
}

std::string AddressProblem(const std::string& address)
{
    for (const char c : address) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte == ' ')
            return "holds a space, which an address writes as %20";
        if (byte < 0x20 || byte >= 0x7F)
            return "holds the byte " + VisibleBytes(std::string(1, c)) + ", which an address writes percent-encoded";
    }
    AddressParts parts;
    const Reference reference = Parse(address);
    if (!reference.hasAuthority)
        return kNoServer;
    if (!SplitAddress(address, parts))
        return "has a port that is not a number from 1 to 65535, or an unclosed [ around its host";
    if (parts.host.empty())
        return kNoServer;
    return "";
}

std::string ResolveAddress(const std::string& base, const std::string& reference)
{
    const Reference b = Parse(base);
    const Reference r = Parse(reference);
    Reference t;
    t.hasScheme = true;
    if (r.hasScheme) {
        t = r;
        t.path = RemoveDotSegments(r.path);
    } else {
        t.scheme = b.scheme;
        if (r.hasAuthority) {
            t.hasAuthority = true;
            t.authority = r.authority;
            t.path = RemoveDotSegments(r.path);
            t.hasQuery = r.hasQuery;
            t.query = r.query;
        } else {
            t.hasAuthority = b.hasAuthority;
            t.authority = b.authority;
            if (r.path.empty()) {
                t.path = b.path;
                t.hasQuery = r.hasQuery || b.hasQuery;
                t.query = r.hasQuery ? r.query : b.query;
            } else {
                t.path = RemoveDotSegments(r.path[0] == '/' ? r.path : Merge(b, r.path));
                t.hasQuery = r.hasQuery;
                t.query = r.query;
            }
        }
        t.hasFragment = r.hasFragment;
        t.fragment = r.fragment;
    }
    if (!t.hasFragment) {
        t.hasFragment = b.hasFragment;
        t.fragment = b.fragment;
    }
    return Compose(t);
}

bool SplitAddress(const std::string& address, AddressParts& parts)
{
    const Reference reference = Parse(address);
    if (!IsWebAddress(address) || !reference.hasAuthority)
        return false;
    parts = AddressParts();
    parts.secure = Lowered(reference.scheme) == "https";
    const std::size_t at = reference.authority.rfind('@');
    if (at != std::string::npos) {
        const std::string userInfo = reference.authority.substr(0, at);
        const std::size_t colon = userInfo.find(':');
        parts.userName = userInfo.substr(0, colon);
        parts.password = colon == std::string::npos ? "" : userInfo.substr(colon + 1);
    }
    const std::string hostPort = at == std::string::npos ? reference.authority : reference.authority.substr(at + 1);
    if (!SplitHostPort(hostPort, parts.secure ? 443 : 80, parts.host, parts.port))
        return false;
    parts.target = reference.path.empty() ? "/" : reference.path;
    if (reference.hasQuery)
        parts.target += "?" + reference.query;
    return true;
}
