#include "platform/jet/quoting.h"

namespace jet
{

namespace
{

QString quoted(const QString &text, QChar quote)
{
    QString doubled = text;
    doubled.replace(quote, QString(2, quote));
    return quote + doubled + quote;
}

} // namespace

QString quoteText(const QString &text)
{
    return quoted(text, u'\'');
}

QString quoteIdentifier(const QString &name)
{
    return quoted(name, u'"');
}

} // namespace jet
