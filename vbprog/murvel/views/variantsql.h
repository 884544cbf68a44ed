#pragma once

#include <QString>

// The two queries of the variant views, on 異體字表 of a script database or on 異體字根 of
// murvel.mdb (`table`). Numbers are written in plain decimal digits.

// One row per group that holds the glyph `number`, by ascending 組號: 組號, the glyph's own
// 形碼 in the group, 編號.
QString VariantGroupsSql(const QString &table, qint32 number);

// The rows of group `group`, by 形碼 and then 編號.
QString VariantMembersSql(const QString &table, qint32 group);
