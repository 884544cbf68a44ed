#include "vbprog/toolkit/namedfiles.h"

namespace toolkit
{

QString namedFiles(const QString &counted, const QStringList &entries)
{
    return counted.arg(entries.size()) + QStringLiteral("：") + entries.join(QStringLiteral("；"));
}

} // namespace toolkit
