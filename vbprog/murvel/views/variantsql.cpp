#include "vbprog/murvel/views/variantsql.h"

QString VariantGroupsSql(const QString &table, qint32 number)
{
    return QStringLiteral("SELECT 組號,First(形碼),編號 From ") + table +
           QStringLiteral(" GROUP BY 組號,編號 HAVING 編號= ") + QString::number(number) +
           QStringLiteral(" order by 組號");
}

QString VariantMembersSql(const QString &table, qint32 group)
{
    return QStringLiteral("SELECT * From ") + table + QStringLiteral(" Where 組號= ") +
           QString::number(group) + QStringLiteral(" ORDER BY 形碼,編號");
}
