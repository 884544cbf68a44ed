#pragma once

#include "platform/jet/database.h"
#include "platform/jet/table.h"

#include <QList>
#include <QString>
#include <optional>

// The records that the variant views read: glyphs of a 檢字表 and the rows of 異體字表 and
// 異體字根.

// One 檢字表 record as the variant views show it.
struct VariantGlyph {
    qint32 number = 0; // 編號
    QString shape;     // 字形; empty when Null
    bool shapeIsNull = true;
    QString code;        // 字碼
    int faceCode = 0;    // 字體 (FaceCode); -1 when Null or not a number
    int formulaKind = 0; // 連接符號
    // Regular script only: 小篆編號 and 小篆, the glyph's small-seal number and form.
    std::optional<qint32> sealNumber;
    QString sealText;
    // Ancient scripts only: 楷書編號, the regular glyph the record stands for.
    std::optional<qint32> regularNumber;
};

// Which fields of a 檢字表 exist beyond the shared ones.
enum class GlyphTableKind { Regular, Ancient };

// Seeks the record of `number` under index 編號 (set first when another index is current)
// and reads it; nullopt when the table holds none. The table's current record moves.
std::optional<VariantGlyph> ReadVariantGlyph(jet::Table &table, GlyphTableKind kind, qint32 number);

// One row of the group query: the group and the glyph's own 形碼 in it.
struct VariantGroup {
    qint32 group = 0; // 組號
    int place = -1;   // 形碼; -1 when Null
};

// One row of 異體字表 or 異體字根.
struct VariantMember {
    int place = -1;    // 形碼; -1 when Null, which places a row as neither 0 nor a variant
    qint32 number = 0; // 編號
    std::optional<int> category;         // 類別 (異體字表 only; Null: none)
    std::optional<qint32> regularNumber; // 楷書編號 (異體字表 rows of 形碼 0)
};

// The groups of `table` (異體字表 or 異體字根) that hold the glyph `number`; rows with a
// Null 組號 are no group and are left out.
jet::Result<QList<VariantGroup>> ReadVariantGroups(const jet::Database &database,
                                                   const QString &table, qint32 number);

// The rows of one group; rows with a Null 編號 name no glyph and are left out.
jet::Result<QList<VariantMember>> ReadVariantMembers(const jet::Database &database,
                                                     const QString &table, qint32 group);
