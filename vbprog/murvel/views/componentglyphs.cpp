#include "vbprog/murvel/views/componentglyphs.h"

#include "vbprog/murvel/core/recordfields.h"
#include "vbprog/murvel/schema/schemanames.h"

namespace
{

// The 編號 and 字體 of the missing character drawn at the private-use code; nothing when
// none is, or when the text is not one private-use character.
std::optional<ComponentGlyph> missingCharacterAt(const jet::Database &database,
                                                 const QString &glyph)
{
    if (glyph.size() != 1 || glyph[0].category() != QChar::Other_PrivateUse)
        return std::nullopt;
    // One private-use character needs no quoting in the statement.
    jet::Result<jet::Snapshot> record = database.openSnapshot(
        QStringLiteral("SELECT 編號, 字體 FROM 檢字表 WHERE 字碼 = '%1'").arg(glyph));
    if (!record || record->eof())
        return std::nullopt;
    return ComponentGlyph{glyph, Int32Field(record->value(0)),
                          Int32Field(record->value(1)).value_or(0)};
}

} // namespace

QString ComponentListTitle(const QString &windowName, int strokes, const QString &firstStrokeName)
{
    if (windowName == QStringLiteral("符號") || windowName == QStringLiteral("八卦"))
        return windowName;
    // A count of 0 or less is no filter, as in the list's query.
    QString title =
        strokes > 0 ? QString::number(strokes) + QStringLiteral("畫") : QStringLiteral("1-99畫");
    if (!firstStrokeName.isEmpty())
        title += QStringLiteral("(") + firstStrokeName + QStringLiteral(")");
    return title;
}

jet::Result<QList<ComponentGlyph>> ReadComponentGlyphs(const jet::Database &database,
                                                       const QString &sql, jet::Table &glyphTable)
{
    jet::Result<jet::Snapshot> rows = database.openSnapshot(sql);
    if (!rows)
        return jet::Result<QList<ComponentGlyph>>::failure(rows.errorString());
    if (!glyphTable.setIndex(Indexes::字形))
        return jet::Result<QList<ComponentGlyph>>::failure(glyphTable.errorString());

    QList<ComponentGlyph> glyphs;
    glyphs.reserve(rows->recordCount());
    for (; !rows->eof(); rows->moveNext()) {
        const QString glyph = rows->value(Fields::字形).toString();
        if (glyph.isEmpty())
            continue;
        // A missed seek leaves no current record: the glyph gets no number, never that
        // of another record.
        if (glyphTable.seek(glyph))
            glyphs.append({glyph, Int32Field(glyphTable.value(Fields::編號)),
                           Int32Field(glyphTable.value(Fields::字體)).value_or(0)});
        else
            glyphs.append(
                missingCharacterAt(database, glyph).value_or(ComponentGlyph{glyph, std::nullopt}));
    }
    rows->close();
    return glyphs;
}
