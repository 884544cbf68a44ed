#include "platform/jet/fieldnames.h"

namespace jet
{

FieldNames::FieldNames(const QStringList &names) : m_names(names)
{
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString folded = names[i].toCaseFolded();
        if (!m_foldedPositions.contains(folded))
            m_foldedPositions.insert(folded, i);
        if (!m_positions.contains(names[i]))
            m_positions.insert(names[i], m_foldedPositions.value(folded));
    }
}

qsizetype FieldNames::indexOf(const QString &name) const
{
    if (const auto stored = m_positions.constFind(name); stored != m_positions.cend())
        return *stored;
    return m_foldedPositions.value(name.toCaseFolded(), -1);
}

} // namespace jet
