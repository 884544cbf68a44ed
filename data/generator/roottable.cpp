#include "data/generator/roottable.h"

#include "platform/codepage/cp950.h"

#include <QHash>

namespace
{

bool isBig5Character(const QString &glyph)
{
    if (glyph.size() != 1)
        return false;
    const auto code = codepage::big5Code(glyph[0]);
    return code && !codepage::isEudcCode(*code);
}

} // namespace

void NumberRoots(TableData &roots)
{
    for (int row = 0; row < roots.rowCount(); ++row) {
        if (roots.isNull(row, Fields::編號))
            roots.setValue(row, Fields::編號, qlonglong(row + 1));
    }
}

void CompleteRootFields(TableData &roots, const TableData &glyphs)
{
    QHash<QString, int> firstGlyphRow;
    for (int row = 0; row < glyphs.rowCount(); ++row) {
        const QString glyph = glyphs.text(row, Fields::字形);
        if (!glyph.isEmpty() && !firstGlyphRow.contains(glyph))
            firstGlyphRow.insert(glyph, row);
    }
    for (int row = 0; row < roots.rowCount(); ++row) {
        const QString root = roots.text(row, Fields::字形);
        if (roots.isNull(row, Fields::Big5))
            roots.setValue(row, Fields::Big5, qlonglong(isBig5Character(root) ? 1 : 0));
        const int glyphRow = firstGlyphRow.value(root, -1);
        if (glyphRow < 0)
            continue;
        for (const QString &field : {Fields::連接符號, Fields::字根序二}) {
            if (roots.isNull(row, field))
                roots.setValue(row, field, glyphs.value(glyphRow, field));
        }
    }
}
