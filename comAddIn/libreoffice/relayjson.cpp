#include "comAddIn/libreoffice/relayjson.h"

namespace relay
{

namespace
{

// Far deeper than any message, far shallower than what could exhaust a stack.
constexpr int kMaxDepth = 64;

struct TooDeep {
};

} // namespace

std::optional<Json> parseJson(const std::string &line)
{
    const Json::parser_callback_t boundDepth = [](int depth, Json::parse_event_t, Json &) {
        if (depth > kMaxDepth)
            throw TooDeep{};
        return true;
    };
    try {
        return Json::parse(line, boundDepth);
    } catch (const Json::exception &) {
    } catch (const TooDeep &) {
    }
    return std::nullopt;
}

std::string serialized(const Json &value)
{
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string stringMember(const Json &object, const char *name)
{
    if (!object.is_object())
        return {};
    const auto member = object.find(name);
    return member != object.end() && member->is_string() ? member->get<std::string>()
                                                         : std::string();
}

bool boolMember(const Json &object, const char *name, bool fallback)
{
    if (!object.is_object())
        return fallback;
    const auto member = object.find(name);
    return member != object.end() && member->is_boolean() ? member->get<bool>() : fallback;
}

} // namespace relay
