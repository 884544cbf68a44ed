#include "comAddIn/libreoffice/relayprotocol.h"

namespace relay
{

namespace
{

std::string request(const char *op, const std::string &host, JsonObject members = {})
{
    members["op"] = op;
    members["host"] = host;
    return JsonValue(std::move(members)).serialized();
}

BarControl controlFrom(const JsonValue &value)
{
    return BarControl{value.stringMember("tag"),         value.stringMember("caption"),
                      value.boolMember("visible", true), value.boolMember("beginGroup"),
                      value.stringMember("image"),       value.stringMember("largeImage")};
}

Bar barFrom(const JsonValue &value)
{
    Bar bar{value.stringMember("name"),
            value.stringMember("kind") == "menu",
            value.boolMember("visible"),
            {}};
    if (const JsonValue *controls = value.member("controls"); controls && controls->asArray()) {
        for (const JsonValue &control : *controls->asArray()) {
            if (control.asObject() && !control.stringMember("tag").empty())
                bar.controls.push_back(controlFrom(control));
        }
    }
    return bar;
}

} // namespace

std::string barsRequest(const std::string &host)
{
    return request("bars", host);
}

std::string clickRequest(const std::string &host, const std::string &tag,
                         const DocumentState &document)
{
    JsonObject state{
        {"path", document.path}, {"modified", document.modified}, {"title", document.title}};
    if (document.window != 0)
        state["window"] = double(document.window);
    return request("click", host, {{"tag", tag}, {"document", std::move(state)}});
}

std::string disconnectRequest(const std::string &host)
{
    return request("disconnect", host, {{"mode", 1.0}});
}

std::string storeReply(bool stored, const std::string &message)
{
    JsonObject reply{{"stored", stored}};
    if (!stored)
        reply["message"] = message;
    return JsonValue(std::move(reply)).serialized();
}

std::optional<std::vector<Bar>> parseBarsReply(const std::string &line)
{
    const std::optional<JsonValue> reply = parseJson(line);
    const JsonValue *bars = reply ? reply->member("bars") : nullptr;
    if (!bars || !bars->asArray())
        return std::nullopt;
    std::vector<Bar> result;
    for (const JsonValue &bar : *bars->asArray()) {
        if (bar.asObject() && !bar.stringMember("name").empty())
            result.push_back(barFrom(bar));
    }
    return result;
}

ReplyLine parseReplyLine(const std::string &line)
{
    const std::optional<JsonValue> reply = parseJson(line);
    if (!reply || !reply->asObject())
        return {};
    if (reply->boolMember("done"))
        return Done{reply->boolMember("ok"), reply->stringMember("message"),
                    reply->boolMember("barsChanged")};
    const std::string action = reply->stringMember("action");
    if (action == "type")
        return Action{Action::Kind::Type, reply->stringMember("text")};
    if (action == "status")
        return Action{Action::Kind::Status, reply->stringMember("text")};
    if (action == "lock")
        return Action{Action::Kind::Lock, {}};
    if (action == "store")
        return Action{Action::Kind::Store, {}};
    if (action == "reload")
        return Action{Action::Kind::Reload, {}};
    if (action == "open" && !reply->stringMember("path").empty())
        return Action{Action::Kind::Open, reply->stringMember("path"),
                      reply->boolMember("readOnly")};
    return {};
}

} // namespace relay
