#include "vbprog/murvel/refviews/frm字形演變.h"

#include "platform/system/waitcursor.h"
#include "vbprog/murvel/core/glyphrtf.h"
#include "vbprog/murvel/core/scripttables.h"
#include "vbprog/murvel/core/typefacenames.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"
#include "vbprog/murvel/refviews/evolutionrows.h"
#include "vbprog/murvel/schema/schemanames.h"
#include "vbprog/murvel/views/outlinelist.h"

namespace
{

QString vesselNameRtf(const QString &name)
{
    return FormulaTextToRtf(name, gBaseFontName);
}

} // namespace

frm字形演變::frm字形演變(QWidget *parent)
    : ReferenceView(ViewTraits(WindowKinds::Evolution, {.statusMessage = &gGlyphViewMessage,
                                                        .hasLock = true,
                                                        .startsWithEmptyItem = true,
                                                        .loadsCurrentGlyph = true,
                                                        .reselectsOnActivate = true,
                                                        .selectsGlyphRowsOnly = true,
                                                        .keepsListFace = true}),
                    parent)
{
    setObjectName("frm字形演變");
}

void frm字形演變::載入字形(const QString &face, const QString &, qint32 number)
{
    if (isLocked() || number <= 0)
        return;
    const sys::WaitCursor wait;
    const std::optional<EvolutionRecords> records =
        ReadEvolutionRecords(face, number, optionChecked);
    if (!records)
        return;
    showRows(BuildEvolutionRows(*records, glyphFaceOfCode(records->regular.value(Fields::字體)),
                                vesselNameRtf));
    if (!records->forms.isEmpty())
        clearStatus();
}

void frm字形演變::baseFontChanged()
{
    OutlineList *tree = list();
    for (int i = 0; i < tree->ListCount(); ++i) {
        const QString face = tree->ItemFontName(i);
        if (AncientScriptTable(face) != nullptr)
            continue; // the five script typefaces
        if (tree->ItemCell(i).RichText() == 1)
            tree->setItemText(i, vesselNameRtf(tree->ItemFlag(i).toString().mid(1)));
        tree->setItemFontName(i, SwapBaseFontName(face));
    }
}
