#include "platform/jet/keysetsql.h"

#include "platform/jet/quoting.h"

namespace jet
{

KeysetSql::KeysetSql(const QString &table, const QStringList &keyFields)
    : m_table(quoteIdentifier(table)), m_keyCount(keyFields.size())
{
    for (const QString &key : keyFields)
        m_keys.append(quoteIdentifier(key));
    m_first = select(QString(), false);
    m_last = select(QString(), true);
    m_atRowid =
        QStringLiteral("SELECT rowid, * FROM ") + m_table + QStringLiteral(" WHERE rowid = ?1");
    for (qsizetype count = 1; count <= m_keyCount; ++count)
        m_seek.append(select(equalKeys(count), false));
    for (qsizetype equal = 0; equal <= m_keyCount; ++equal) {
        m_next.append(makeNext(equal, false));
        m_next.append(makeNext(equal, true));
    }
}

QString KeysetSql::select(const QString &where, bool descending) const
{
    const QString direction = descending ? QStringLiteral(" DESC") : QString();
    QStringList order;
    for (const QString &key : m_keys)
        order.append(key + direction);
    order.append(QStringLiteral("rowid") + direction);
    QString sql = QStringLiteral("SELECT rowid, * FROM ") + m_table;
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    return sql + QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", ")) +
           QStringLiteral(" LIMIT 1");
}

QString KeysetSql::equalKeys(qsizetype count) const
{
    QStringList terms;
    for (qsizetype i = 0; i < count; ++i)
        terms.append(QStringLiteral("%1 IS ?%2").arg(m_keys[i], QString::number(i + 1)));
    return terms.join(QStringLiteral(" AND "));
}

QString KeysetSql::makeNext(qsizetype equalKeyCount, bool nextKeyIsNull) const
{
    QStringList terms;
    if (equalKeyCount > 0)
        terms.append(equalKeys(equalKeyCount));
    if (equalKeyCount == m_keyCount)
        terms.append(QStringLiteral("rowid > ?%1").arg(equalKeyCount + 1));
    else if (nextKeyIsNull)
        terms.append(m_keys[equalKeyCount] + QStringLiteral(" IS NOT NULL"));
    else
        terms.append(QStringLiteral("%1 > ?%2")
                         .arg(m_keys[equalKeyCount], QString::number(equalKeyCount + 1)));
    return select(terms.join(QStringLiteral(" AND ")), false);
}

} // namespace jet
