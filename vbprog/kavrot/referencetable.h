#pragma once

#include "platform/common/result.h"

#include <QHash>
#include <QString>
#include <optional>

// A transcoding reference database (kavrot01.mdb, kavrot02.mdb): table 檢字表, whose index
// 舊形 is keyed by one old private-use character and whose field 構字式 holds the
// composition formula that replaces it.
namespace kavrot
{

class ReferenceTable
{
public:
    ReferenceTable() = default;

    // Reads the table once; every later lookup is answered from memory. Refuses a missing
    // file, one that is no database and one without the table or its index, with a message
    // that names the file.
    static platform::Result<ReferenceTable> open(const QString &fileName);

    // The formula of the first record keyed by ch in index order; nullopt when no record
    // has that key or its formula is Null or empty, so the character is kept as it is.
    std::optional<QString> formulaFor(QChar ch) const;

    qsizetype size() const { return m_formulas.size(); }

private:
    QHash<QChar, QString> m_formulas;
};

} // namespace kavrot
