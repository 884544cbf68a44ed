#pragma once

#include "platform/common/result.h"

#include <QJsonObject>

namespace officehost
{

// The program at the other end of a relayed click, which carries out the actions our
// process sends it.
class RelayPeer
{
public:
    virtual ~RelayPeer() = default;

    // An action that has no answer.
    virtual void send(const QJsonObject &action) = 0;
    // An action the peer answers; a failure when no answer came.
    virtual platform::Result<QJsonObject> ask(const QJsonObject &action) = 0;
};

} // namespace officehost
