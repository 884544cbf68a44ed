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
    // The position of the field, or -1.
    qsizetype indexOf(const QString &name) const;

private:
    QStringList m_names;
    QHash<QString, qsizetype> m_positions; // case-folded name -> position
};

} // namespace jet
