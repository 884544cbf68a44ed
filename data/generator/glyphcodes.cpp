#include "data/generator/glyphcodes.h"

#include "platform/codepage/cp950.h"

namespace
{

constexpr qint64 kNoRadical = 999;
constexpr qint64 kNoStrokes = 99;

QVariant big5Text(const QString &glyph)
{
    if (glyph.size() != 1)
        return {};
    const auto code = codepage::big5Code(glyph[0]);
    if (!code || *code < 0x100) // single-byte characters are no glyphs of their own
        return {};
    return QStringLiteral("%1").arg(*code, 4, 16, QChar(u'0')).toUpper();
}

QVariant unicodeText(const QString &glyph)
{
    const QList<uint> codePoints = glyph.toUcs4();
    if (codePoints.size() != 1 || QChar::category(codePoints[0]) == QChar::Other_PrivateUse)
        return {};
    return QStringLiteral("%1").arg(codePoints[0], 4, 16, QChar(u'0')).toUpper();
}

} // namespace

qint64 RadicalStrokeSortKey(std::optional<qint64> radical, std::optional<qint64> residualStrokes)
{
    return radical.value_or(kNoRadical) * 100 + residualStrokes.value_or(kNoStrokes);
}

void DeriveCodesAndSortKey(TableData &glyphs)
{
    for (int row = 0; row < glyphs.rowCount(); ++row) {
        glyphs.setValue(row, Fields::部首筆畫排序,
                        RadicalStrokeSortKey(glyphs.number(row, Fields::部首),
                                             glyphs.number(row, Fields::部首筆畫)));
        glyphs.setValue(row, Fields::BIG5, big5Text(glyphs.text(row, Fields::字碼)));
        if (!glyphs.isNull(row, Fields::字形))
            glyphs.setValue(row, Fields::Unicode, unicodeText(glyphs.text(row, Fields::字形)));
    }
}
