// Conversion of settings bytes from a Windows code page to UTF-16, as the
// launcher's MultiByteToWideChar does it. Natively with iconv, on Windows with
// MultiByteToWideChar itself; everything built on it is portable.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

// The code page the launcher's own messages are written in, and the one
// captions are counted in unless the user names another.
constexpr unsigned kDefaultCodePage = 936;

class CodePageConverter {
public:
    explicit CodePageConverter(unsigned codePage);
    ~CodePageConverter();
    CodePageConverter(const CodePageConverter&) = delete;
    CodePageConverter& operator=(const CodePageConverter&) = delete;

    // False when this system cannot convert from the code page.
    bool Known() const;

    // The UTF-16 units of `length` bytes that are whole, valid characters of
    // the code page; false (and `units` unspecified) for anything else.
    bool Convert(const char* bytes, std::size_t length, std::u16string& units) const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};
