#include "vbprog/kavrot/referencetable.h"

#include "platform/jet/database.h"
#include "vbprog/murvel/schema/schemanames.h"

#include <QFileInfo>

namespace kavrot
{

platform::Result<ReferenceTable> ReferenceTable::open(const QString &fileName)
{
    const auto refuse = [&](const QString &why) {
        return platform::Result<ReferenceTable>::failure(
            QStringLiteral("轉碼參考檔案 %1 無法使用：%2").arg(fileName, why));
    };
    if (!QFileInfo::exists(fileName))
        return refuse(QStringLiteral("檔案不存在"));
    auto database = jet::Database::open(fileName);
    if (!database)
        return refuse(database.errorString());
    auto table = database->openTable(Tables::檢字表);
    if (!table)
        return refuse(table.errorString());
    if (!table->setIndex(Indexes::舊形))
        return refuse(table->errorString());

    // Walking in index order and keeping the first record of each key gives what a seek
    // "=" on the index would find.
    ReferenceTable reference;
    for (table->moveFirst(); !table->eof(); table->moveNext()) {
        const QString key = table->value(Fields::舊形).toString();
        const QVariant formula = table->value(Fields::構字式);
        if (key.size() != 1 || reference.m_formulas.contains(key.at(0)))
            continue;
        reference.m_formulas.insert(key.at(0), formula.isNull() ? QString() : formula.toString());
    }
    if (table->failed())
        return refuse(table->errorString());
    return reference;
}

std::optional<QString> ReferenceTable::formulaFor(QChar ch) const
{
    const auto found = m_formulas.constFind(ch);
    if (found == m_formulas.constEnd() || found->isEmpty())
        return std::nullopt;
    return *found;
}

} // namespace kavrot
