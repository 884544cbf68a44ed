#include "comAddIn/libreoffice/relayprotocol.h"

#include "comAddIn/libreoffice/relayjson.h"
#include "comAddIn/relay/wireformat.h"

namespace relay
{

namespace
{

std::string request(const char *op, const std::string &host, Json members = Json::object())
{
    members[wire::kOp] = op;
    members[wire::kHost] = host;
    return serialized(members);
}

BarControl controlFrom(const Json &value)
{
    return BarControl{
        stringMember(value, wire::kTag),         stringMember(value, wire::kCaption),
        boolMember(value, wire::kVisible, true), boolMember(value, wire::kBeginGroup),
        stringMember(value, wire::kImage),       stringMember(value, wire::kLargeImage)};
}

Bar barFrom(const Json &value)
{
    Bar bar{stringMember(value, wire::kName),
            stringMember(value, wire::kKind) == wire::kMenuKind,
            boolMember(value, wire::kVisible),
            {}};
    if (const auto controls = value.find(wire::kControls);
        controls != value.end() && controls->is_array()) {
        for (const Json &control : *controls) {
            if (control.is_object() && !stringMember(control, wire::kTag).empty())
                bar.controls.push_back(controlFrom(control));
        }
    }
    return bar;
}

} // namespace

std::string barsRequest(const std::string &host)
{
    return request(wire::op::kBars, host);
}

std::string clickRequest(const std::string &host, const std::string &tag,
                         const DocumentState &document)
{
    Json state{{wire::kPath, document.path},
               {wire::kModified, document.modified},
               {wire::kTitle, document.title}};
    if (document.window != 0)
        state[wire::kWindow] = document.window;
    return request(wire::op::kClick, host, {{wire::kTag, tag}, {wire::kDocument, state}});
}

std::string disconnectRequest(const std::string &host)
{
    return request(wire::op::kDisconnect, host, {{wire::kMode, 1}});
}

std::string storeReply(bool stored, const std::string &message)
{
    Json reply{{wire::kStored, stored}};
    if (!stored)
        reply[wire::kMessage] = message;
    return serialized(reply);
}

std::optional<std::vector<Bar>> parseBarsReply(const std::string &line)
{
    const std::optional<Json> reply = parseJson(line);
    if (!reply || !reply->is_object())
        return std::nullopt;
    const auto bars = reply->find(wire::kBars);
    if (bars == reply->end() || !bars->is_array())
        return std::nullopt;
    std::vector<Bar> result;
    for (const Json &bar : *bars) {
        if (bar.is_object() && !stringMember(bar, wire::kName).empty())
            result.push_back(barFrom(bar));
    }
    return result;
}

ReplyLine parseReplyLine(const std::string &line)
{
    const std::optional<Json> reply = parseJson(line);
    if (!reply || !reply->is_object())
        return {};
    if (boolMember(*reply, wire::kDone))
        return Done{boolMember(*reply, wire::kOk), stringMember(*reply, wire::kMessage),
                    boolMember(*reply, wire::kBarsChanged)};
    const std::string action = stringMember(*reply, wire::kAction);
    const std::string text = stringMember(*reply, wire::kText);
    if (action == wire::action::kType)
        return Action{Action::Kind::Type, text, stringMember(*reply, wire::kFont)};
    if (action == wire::action::kStatus)
        return Action{Action::Kind::Status, text};
    if (action == wire::action::kLock)
        return Action{Action::Kind::Lock, {}};
    if (action == wire::action::kStore)
        return Action{Action::Kind::Store, {}};
    if (action == wire::action::kReload)
        return Action{Action::Kind::Reload, {}};
    const std::string path = stringMember(*reply, wire::kPath);
    if (action == wire::action::kOpen && !path.empty())
        return Action{Action::Kind::Open, path, {}, boolMember(*reply, wire::kReadOnly)};
    return {};
}

} // namespace relay
