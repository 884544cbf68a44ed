#pragma once

#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// The JSON of the relay's messages: one object per line, strings in UTF-8.
namespace relay
{

class JsonValue;
using JsonArray = std::vector<JsonValue>;
using JsonObject = std::map<std::string, JsonValue>;

class JsonValue
{
public:
    JsonValue() = default;
    JsonValue(bool value) : m_value(value) {}
    JsonValue(double value) : m_value(value) {}
    JsonValue(std::string value) : m_value(std::move(value)) {}
    JsonValue(const char *value) : m_value(std::string(value)) {}
    JsonValue(JsonArray value) : m_value(std::move(value)) {}
    JsonValue(JsonObject value) : m_value(std::move(value)) {}

    bool isNull() const { return std::holds_alternative<std::monostate>(m_value); }
    const bool *asBool() const { return std::get_if<bool>(&m_value); }
    const double *asNumber() const { return std::get_if<double>(&m_value); }
    const std::string *asString() const { return std::get_if<std::string>(&m_value); }
    const JsonArray *asArray() const { return std::get_if<JsonArray>(&m_value); }
    const JsonObject *asObject() const { return std::get_if<JsonObject>(&m_value); }

    // Member name of an object; nullptr when this is no object or has no such member.
    const JsonValue *member(const std::string &name) const;
    // The member's value, or fallback when it is missing or of another type.
    bool boolMember(const std::string &name, bool fallback = false) const;
    std::string stringMember(const std::string &name) const;

    // Compact text on one line: no raw line break can end up inside a message.
    std::string serialized() const;

private:
    std::variant<std::monostate, bool, double, std::string, JsonArray, JsonObject> m_value;
};

// The value in text, or nothing when text is not one whole JSON value.
std::optional<JsonValue> parseJson(const std::string &text);

} // namespace relay
