// Web addresses as the page check takes them: which ones are fetched, whether
// one can be requested as it stands, how a redirect's Location is resolved
// against the address that answered with it, and the parts a request is made
// of. Portable: no Windows header.
#pragma once

#include <string>

// True for an address whose scheme is http or https, in any case.
bool IsWebAddress(const std::string& address);

// Why the web address `address` cannot be requested as it stands (a byte that
// must be percent-encoded, no host, a bad port), or empty when it can.
std::string AddressProblem(const std::string& address);

// `reference`, such as the value of a Location header, resolved against the
// absolute address `base` as RFC 3986 (section 5) resolves a reference. A
// reference without a fragment keeps the fragment of `base`, as browsers
// follow redirects.
std::string ResolveAddress(const std::string& base, const std::string& reference);

struct AddressParts {
    bool secure = false;   // https
    std::string userName;  // from the user information before '@', if any
    std::string password;
    std::string host;      // an IPv6 literal without its brackets
    int port = 0;          // the scheme's default when the address names none
    std::string target;    // path and query as sent in the request line, "/" for an empty path
};

// The parts of a web address that AddressProblem accepts; false for any other.
bool SplitAddress(const std::string& address, AddressParts& parts);
