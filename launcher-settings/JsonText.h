// Pieces of the reports' JSON: members and one-line objects.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>

// `"name": json`.
std::string JsonField(const char* name, const std::string& json);

// The fields, each made by JsonField, as one object on one line.
std::string JsonObject(std::initializer_list<std::string> fields);

// The bytes as JsonString writes them, or null.
std::string JsonStringOrNull(const std::optional<std::string>& bytes);
