#pragma once

#include <QString>
#include <QStringList>

namespace jet
{

// The SQL texts that move a table cursor along an index. The order is the key fields in
// binary order, Null first, ties by rowid (row order); with no key fields it is row order.
// Each text reads at most one row, rowid followed by every field, and ends in an index
// search, so that a move costs a few probes of the index however large the table is.
class KeysetSql
{
public:
    KeysetSql() = default;
    KeysetSql(const QString &table, const QStringList &keyFields);

    qsizetype keyCount() const { return m_keyCount; }

    const QString &first() const { return m_first; }
    const QString &last() const { return m_last; }
    // The row with rowid ?1.
    const QString &atRowid() const { return m_atRowid; }
    // The first row whose first `count` (1..n) key fields equal ?1..?count (Null equals
    // Null).
    const QString &seek(qsizetype count) const { return m_seek[count - 1]; }
    // The next row after a row with key values v1..vn and rowid r, at one level:
    // - equalKeys == n: the keys equal v1..vn (?1..?n) and rowid > r (?n+1);
    // - equalKeys < n: the first equalKeys keys equal ?1..?equalKeys and the next key is
    //   greater than ?(equalKeys+1), or, when that value is Null (nextKeyIsNull), any
    //   non-Null value, with no parameter for it.
    // The caller tries levels n, n-1, ..., 0 and takes the first row found.
    const QString &next(qsizetype equalKeys, bool nextKeyIsNull) const
    {
        return m_next[2 * equalKeys + (nextKeyIsNull ? 1 : 0)];
    }

private:
    // The texts are made once: a cursor asks for one on every move.
    QString select(const QString &where, bool descending) const;
    QString equalKeys(qsizetype count) const;
    QString makeNext(qsizetype equalKeys, bool nextKeyIsNull) const;

    QString m_table;    // quoted
    QStringList m_keys; // quoted
    qsizetype m_keyCount = 0;
    QString m_first;
    QString m_last;
    QString m_atRowid;
    QStringList m_seek; // by count - 1
    QStringList m_next; // by 2 * equalKeys + nextKeyIsNull
};

} // namespace jet
