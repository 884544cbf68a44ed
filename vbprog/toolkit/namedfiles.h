#pragma once

#include <QString>
#include <QStringList>

namespace toolkit
{

// How a batch tool's closing text names the files it could not do: counted, the count
// taking the place of %1 in counted, then each entry ("name：reason" or a name), in order.
QString namedFiles(const QString &counted, const QStringList &entries);

} // namespace toolkit
