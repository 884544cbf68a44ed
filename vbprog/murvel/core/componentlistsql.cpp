#include "vbprog/murvel/core/componentlistsql.h"

namespace
{

// The query of a list kind before any filter; hasCondition tells whether it already has a
// where clause, so that a filter continues it with "and".
struct BaseQuery {
    QString sql;
    bool hasCondition;
    bool takesFilter;
};

BaseQuery baseQueryOf(const QString &listKind)
{
    if (listKind == QStringLiteral("符號"))
        return {QStringLiteral("select 字形 from 符號 order by 編號 "), false, false};
    if (listKind == QStringLiteral("八卦"))
        return {QStringLiteral("select 字形 from 八卦 order by 編號 "), false, false};
    if (listKind == QStringLiteral("康熙字典部首"))
        return {QStringLiteral("select 字形 from 康熙部首 "), false, true};
    if (listKind == QStringLiteral("說文解字部首"))
        return {QStringLiteral("select 字形 from 說文部首 "), false, true};
    if (listKind == QStringLiteral("Big5字根"))
        return {QStringLiteral("select 字形 from 字根 where Big5=1 "), true, true};
    if (listKind == QStringLiteral("Big5及簡化字字根"))
        return {QStringLiteral("select 字形 from 字根 where (Big5=1 or 簡化字=1) "), true, true};
    if (listKind == QStringLiteral("字根"))
        return {QStringLiteral("select 字形 from 字根 "), false, true};
    if (listKind == QStringLiteral("小篆獨體字"))
        return {QStringLiteral("select 字形 from 小篆獨體字 where 編號<9999999"), true, true};
    if (listKind == QStringLiteral("金文字根"))
        return {QStringLiteral("select 字形 from 金文字根 where 編號<9999999"), true, true};
    return {QStringLiteral("select 字形 from 部件外字 where 編號<9999999"), true, true};
}

QString filterOf(int strokes, int firstStroke)
{
    if (strokes > 0 && firstStroke > 0)
        return QStringLiteral("筆畫 = %1 and 首筆 = %2 order by 編號")
            .arg(QString::number(strokes), QString::number(firstStroke));
    if (strokes > 0)
        return QStringLiteral("筆畫 = %1 order by 首筆,編號").arg(strokes);
    if (firstStroke > 0)
        return QStringLiteral("首筆 = %1 order by 筆畫,編號").arg(firstStroke);
    return {};
}

} // namespace

QString BuildComponentListSql(const QString &listKind, int strokes, int firstStroke)
{
    const BaseQuery base = baseQueryOf(listKind);
    const QString filter = filterOf(strokes, firstStroke);
    if (!base.takesFilter || filter.isEmpty())
        return base.sql;
    // Bases that end in "編號<9999999" have no blank of their own before the filter.
    const QString separator = base.sql.endsWith(u' ') ? QString() : QStringLiteral(" ");
    return base.sql + separator +
           (base.hasCondition ? QStringLiteral("and ") : QStringLiteral("where ")) + filter;
}
