#pragma once

#include <QVariant>
#include <limits>
#include <optional>

// A whole-number field as a 32-bit integer: nullopt for Null, for a value that is not a whole
// number and for one outside the 32-bit range, so that no stored number is narrowed silently.
inline std::optional<qint32> Int32Field(const QVariant &value)
{
    if (value.isNull())
        return std::nullopt;
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok || number < std::numeric_limits<qint32>::min() ||
        number > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(number);
}
