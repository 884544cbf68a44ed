#include "vbprog/murvel/views/frm異體字表.h"

#include "vbprog/murvel/core/scripttables.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"
#include "vbprog/murvel/schema/schemanames.h"
#include "vbprog/murvel/views/outlinelist.h"
#include "vbprog/murvel/views/variantmarks.h"

frm異體字表::frm異體字表()
    : VariantWindow(
          ViewTraits(WindowKinds::VariantCharacters, {.statusMessage = &gVariantViewMessage,
                                                      .hasLock = true,
                                                      .startsWithEmptyItem = true,
                                                      .loadsCurrentGlyph = true,
                                                      .selectShowsStatus = true}))
{
    setObjectName(QStringLiteral("frm異體字表"));
}

void frm異體字表::load()
{
    FillVariantMarkPictures(*list());
    VariantWindow::load();
}

void frm異體字表::loadVariants(LongLoad::Session &session, const QString &face,
                               const QString &glyph, qint32 number)
{
    jet::Table *ancient = AncientScriptTable(face);
    // A copy of the handle shares its cursor.
    jet::Table glyphTable = ancient != nullptr ? *ancient : gRs檢字表楷書;
    const GlyphTableKind kind =
        ancient != nullptr ? GlyphTableKind::Ancient : GlyphTableKind::Regular;
    VariantCharacterTree tree(
        listTarget(), mFaceNames, face, glyph, number,
        [glyphTable, kind](qint32 key) mutable { return ReadVariantGlyph(glyphTable, kind, key); },
        [](qint32 key) { return ReadVariantGlyph(gRs檢字表楷書, GlyphTableKind::Regular, key); });
    if (!fillGroups(session, *ScriptOfFace(face).database, Tables::異體字表, number, tree))
        return;
    list()->setMarkStyle(tree.markCount() > 0 ? 2 : 1);
    finishLoad(session);
}
