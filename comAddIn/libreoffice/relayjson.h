#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

// The JSON of the relay's messages, as the relay reads and writes it: one whole value per
// line, nesting bounded, texts in UTF-8.
namespace relay
{

using Json = nlohmann::json;

// The value in the line; nothing when the line is not one whole JSON value, holds text that
// is not UTF-8, or nests deeper than any message does.
std::optional<Json> parseJson(const std::string &line);

// Compact text on one line: no raw line break can end up inside a message. Bytes that are
// not UTF-8 are replaced, never sent.
std::string serialized(const Json &value);

// The member of an object; the fallback when the value is no object, or the member is
// missing or of another type.
std::string stringMember(const Json &object, const char *name);
bool boolMember(const Json &object, const char *name, bool fallback = false);

} // namespace relay
