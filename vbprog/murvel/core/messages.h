#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The texts the glyph data core shows or reports, in one place.
namespace Messages
{

inline QString databaseProblem(const QString &file, const QString &problem)
{
    return QStringLiteral("%1：%2").arg(file, problem);
}

// A table that could not be read: the engine's own message follows.
inline QString databaseReadError(const QString &table, const QString &problem)
{
    return QStringLiteral("讀取資料表 %1 時發生錯誤：%2").arg(table, problem);
}

inline QString numberText(std::optional<int> number)
{
    return number ? QString::number(*number) : QStringLiteral("(空白)");
}

inline QString faceNumberOutOfRange(std::optional<int> number)
{
    return QStringLiteral("字體表的編號 %1 不在 0 到 20 之間，已略過").arg(numberText(number));
}

inline QString operatorNumberOutOfRange(std::optional<int> number)
{
    return QStringLiteral("符號表的編號 %1 不在 1 到 14 之間，已略過").arg(numberText(number));
}

inline QString operatorsMissing(const QStringList &numbers)
{
    return QStringLiteral("符號表缺少編號 %1 的連接符號").arg(numbers.join(QStringLiteral("、")));
}

inline QString schemaVersionMismatch(std::optional<int> found, int required)
{
    return QStringLiteral("資料庫結構版本為 %1，本程式需要版本 %2")
        .arg(numberText(found))
        .arg(required);
}

} // namespace Messages
