#include "roottable.h"

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
    for (int row = 0; row < roots.rows.size(); ++row) {
        if (roots.isNull(row, "編號"))
            roots.setValue(row, "編號", qlonglong(row + 1));
    }
}

void CompleteRootFields(TableData &roots, const TableData &glyphs)
{
    QHash<QString, int> firstGlyphRow;
    for (int row = 0; row < glyphs.rows.size(); ++row) {
        const QString glyph = glyphs.text(row, "字形");
        if (!glyph.isEmpty() && !firstGlyphRow.contains(glyph))
            firstGlyphRow.insert(glyph, row);
    }
    for (int row = 0; row < roots.rows.size(); ++row) {
        const QString root = roots.text(row, "字形");
        if (roots.isNull(row, "Big5"))
            roots.setValue(row, "Big5", qlonglong(isBig5Character(root) ? 1 : 0));
        const int glyphRow = firstGlyphRow.value(root, -1);
        if (glyphRow < 0)
            continue;
        for (const char *field : {"連接符號", "字根序二"}) {
            if (roots.isNull(row, field))
                roots.setValue(row, field, glyphs.value(glyphRow, field));
        }
    }
}
