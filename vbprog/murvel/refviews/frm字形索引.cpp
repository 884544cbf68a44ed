#include "vbprog/murvel/refviews/frm字形索引.h"

#include "platform/system/waitcursor.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"
#include "vbprog/murvel/refviews/indexrows.h"
#include "vbprog/murvel/schema/schemanames.h"
#include "vbprog/murvel/views/outlinelist.h"

frm字形索引::frm字形索引(QWidget *parent)
    : ReferenceView(ViewTraits(WindowKinds::Index, {.statusMessage = &gGlyphViewMessage,
                                                    .hasLock = true,
                                                    .startsWithEmptyItem = true,
                                                    .loadsCurrentGlyph = true,
                                                    .reselectsOnActivate = true,
                                                    .listFocusIsCurrentWindow = false,
                                                    .selectsGlyphRowsOnly = true,
                                                    .selectMakesCurrentWindow = true,
                                                    .selectSkipsKinds = {WindowKinds::Evolution}}),
                    parent)
{
    setObjectName("frm字形索引");
}

void frm字形索引::載入字形(const QString &face, const QString &, qint32 number)
{
    if (isLocked() || number <= 0)
        return;
    const sys::WaitCursor wait;
    const std::optional<IndexRecords> records = ReadIndexRecords(face, number);
    if (!records)
        return;
    list()->setFontName(gBaseFontName);
    showRows(BuildIndexRows(*records, glyphFaceOfCode(records->regular.value(Fields::字體)),
                            optionChecked));
    clearStatus();
}
