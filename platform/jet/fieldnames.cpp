#include "platform/jet/fieldnames.h"

namespace jet
{

FieldNames::FieldNames(const QStringList &names) : m_names(names)
{
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString key = names[i].toCaseFolded();
        if (!m_positions.contains(key))
            m_positions.insert(key, i);
    }
}

qsizetype FieldNames::indexOf(const QString &name) const
{
    return m_positions.value(name.toCaseFolded(), -1);
}

} // namespace jet
