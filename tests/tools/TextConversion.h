// UTF-8 and JSON text for the test tools' input and output files.
#pragma once

#include <windows.h>

#include <string>

// Decodes UTF-8 bytes; false when they are not valid UTF-8.
bool Utf8ToWide(const std::string& bytes, std::wstring& text);

// The JSON string literal (quotes included) for UTF-16 text, in UTF-8. Every code
// unit survives: a lone surrogate, which UTF-8 cannot carry, is written as a
// \uXXXX escape, so a JSON reader gets back exactly the original text.
std::string JsonString(const std::wstring& text);

// A rectangle as the JSON array [left, top, right, bottom].
std::string JsonRect(const RECT& rect);

// A flag as JSON true or false.
std::string JsonBool(bool value);

// A JSON object built member by member, each value given as JSON text.
class JsonObject {
public:
    JsonObject& Add(const char* name, const std::string& value);
    JsonObject& Add(const char* name, unsigned long long number);
    // The object's text, braces included.
    std::string Text() const;

private:
    std::string m_members;
};
