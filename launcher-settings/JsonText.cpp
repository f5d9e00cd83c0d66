#include "JsonText.h"

#include "VisibleText.h"

std::string JsonField(const char* name, const std::string& json)
{
    std::string field(1, '"');
    field.append(name).append("\": ").append(json);
    return field;
}

std::string JsonObject(std::initializer_list<std::string> fields)
{
    std::string object(1, '{');
    for (const std::string& field : fields)
        object.append(object.size() > 1 ? ", " : "").append(field);
    object.push_back('}');
    return object;
}

std::string JsonStringOrNull(const std::optional<std::string>& bytes) { return bytes ? JsonString(*bytes) : "null"; }
