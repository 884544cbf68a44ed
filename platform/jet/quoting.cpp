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

bool isSqlSafeText(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isNull())
            return false;
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return false;
    }
    return true;
}

QString unsafeTextMessage()
{
    return QStringLiteral("文字中含有無法查詢的字元（NUL 或不成對的代理字元）");
}

QString quoteText(const QString &text)
{
    return quoted(text, u'\'');
}

QString quoteIdentifier(const QString &name)
{
    return quoted(name, u'"');
}

} // namespace jet
