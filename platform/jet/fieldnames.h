#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace jet
{

// The field names of a record, looked up without regard to case as Jet does; where two
// fields share a name the first wins.
class FieldNames
{
public:
    FieldNames() = default;
    explicit FieldNames(const QStringList &names);

    const QStringList &names() const { return m_names; }
    qsizetype count() const { return m_names.size(); }
    // The position of the field, or -1. A name spelt as stored is found without folding
    // its case: readers ask for a field of every row they read.
    qsizetype indexOf(const QString &name) const;

private:
    QStringList m_names;
    // Name as stored -> position of the first field of that name in any case.
    QHash<QString, qsizetype> m_positions;
    QHash<QString, qsizetype> m_foldedPositions; // case-folded name -> position
};

} // namespace jet
