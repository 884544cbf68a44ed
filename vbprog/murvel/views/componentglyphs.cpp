#include "vbprog/murvel/views/componentglyphs.h"

#include "vbprog/murvel/core/recordfields.h"
#include "vbprog/murvel/schema/schemanames.h"

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
        std::optional<qint32> number;
        // A missed seek leaves no current record: the glyph gets no number, never that
        // of another record.
        if (glyphTable.seek(glyph))
            number = Int32Field(glyphTable.value(Fields::編號));
        glyphs.append({glyph, number});
    }
    rows->close();
    return glyphs;
}
