#pragma once

#include <QByteArray>

namespace testsupport
{

// inner inside depth copies of open ... close, each inside the one before: the nesting a
// hostile document is made of.
inline QByteArray nestedIn(const QByteArray &open, const QByteArray &close, int depth,
                           const QByteArray &inner = {})
{
    return open.repeated(depth) + inner + close.repeated(depth);
}

} // namespace testsupport
