#pragma once

#include "vbprog/murvel/core/scripttables.h"
#include "vbprog/murvel/core/公用變數.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <functional>
#include <optional>

namespace jet
{
class Table;
}

// The fields of one record as read at its seek; a Null field is a null QVariant. Keeping
// the values, not the cursor, means a later seek on the same table cannot change them.
using RecordFields = QHash<QString, QVariant>;

// Whether an option item of the main window's menus carries its check mark.
using OptionCheck = std::function<bool(const QString &itemName)>;

// Seeks the record with this 編號 (the table's index becomes 編號) and reads the fields;
// nullopt when the table holds no such record.
std::optional<RecordFields> SeekByNumber(jet::Table &table, qint32 number,
                                         const QStringList &fields);

// The regular-script record of a glyph named by (face, number), with the fields read; the
// working handle gRs檢字表 is left referring to the regular-script table. nullopt when
// RegularNumberOfFace finds no regular number or the regular table holds no such record.
struct RegularRecord {
    qint32 number = 0;
    RecordFields fields;
};
std::optional<RegularRecord> ReadRegularRecord(const QString &face, qint32 number,
                                               const QStringList &fields);

// The typeface of a FaceCode in a view's copy of the typeface names; `fallback` when the
// code is Null, no whole number, outside 0..20 or names no typeface.
QString FaceNameOfCode(const std::array<QString, FaceCodeCount> &faces, const QVariant &code,
                       const QString &fallback);

// True when the field holds a value.
inline bool HasValue(const RecordFields &record, const QString &field)
{
    return !record.value(field).isNull();
}
