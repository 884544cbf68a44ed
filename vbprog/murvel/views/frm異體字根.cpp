#include "vbprog/murvel/views/frm異體字根.h"

#include "vbprog/murvel/core/scripttables.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"
#include "vbprog/murvel/schema/schemanames.h"

namespace
{

// A regular record, sought through the working handle gRs檢字表, which a load leaves on the
// regular table with index 編號. It is pointed there again for each seek: other code may
// move it while a load yields.
std::optional<VariantGlyph> RegularGlyph(qint32 number)
{
    gRs檢字表 = gRs檢字表楷書;
    return ReadVariantGlyph(gRs檢字表, GlyphTableKind::Regular, number);
}

} // namespace

frm異體字根::frm異體字根()
    : VariantWindow(
          ViewTraits(WindowKinds::VariantComponents, {.statusMessage = &gVariantViewMessage,
                                                      .hasLock = true,
                                                      .loadsCurrentGlyph = true,
                                                      .selectShowsStatus = true}))
{
    setObjectName(QStringLiteral("frm異體字根"));
}

void frm異體字根::load()
{
    jet::Result<jet::Table> roots = gDb楷書.openTable(Tables::字根);
    if (roots && roots->setIndex(Indexes::字形))
        mRootsTable = roots.value();
    VariantWindow::load();
}

void frm異體字根::unload()
{
    mRootsTable.close();
    VariantWindow::unload();
}

void frm異體字根::loadVariants(LongLoad::Session &session, const QString &face,
                               const QString &glyph, qint32 number)
{
    const std::optional<qint32> regularNumber = RegularNumberOfFace(face, number);
    if (!regularNumber) {
        // No regular glyph to list the components of: the list stays empty.
        gRs檢字表 = gRs檢字表楷書;
        gRs檢字表.setIndex(Indexes::編號);
        finishLoad(session);
        return;
    }
    VariantComponentTree tree(listTarget(), mFaceNames, RegularGlyph(*regularNumber),
                              *regularNumber, glyph, face, RegularGlyph);
    if (fillGroups(session, gDb楷書, Tables::異體字根, *regularNumber, tree))
        finishLoad(session);
}
