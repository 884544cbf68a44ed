#include "vbprog/murvel/views/frm字形結構.h"

#include "platform/system/waitcursor.h"
#include "vbprog/murvel/core/formula.h"
#include "vbprog/murvel/core/typefacenames.h"
#include "vbprog/murvel/mainwindow/mainwindowservices.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"
#include "vbprog/murvel/views/markpictures.h"
#include "vbprog/murvel/views/outlinelist.h"
#include "vbprog/murvel/views/structurelist.h"
#include "vbprog/murvel/views/structurerecords.h"

#include <QLineEdit>

namespace
{

constexpr int MarksHidden = 1;
constexpr int MarksShown = 2;

// Whether the main window's glyph box holds an operator symbol.
bool panelHoldsOperator()
{
    return Services() != nullptr &&
           FindOperator(Services()->glyphBoxText(), 1, OperatorNumbers::Count) != 0;
}

} // namespace

frm字形結構::frm字形結構(QWidget *parent)
    : GlyphListWindow(ViewTraits(WindowKinds::Structure, {.statusMessage = &gGlyphViewMessage,
                                                          .hasLock = true,
                                                          .startsWithEmptyItem = true,
                                                          .loadsCurrentGlyph = true,
                                                          .reselectsOnActivate = true}),
                      parent)
{
    setObjectName(QStringLiteral("frm字形結構"));
    QObject::connect(list(), &OutlineList::Expand, this, [this](int index) { onExpand(index); });
}

void frm字形結構::load()
{
    for (int k = 0; k < RoleMarks::Count; ++k)
        list()->setMarkPicture(k, markpictures::picture(k));
    m_question = markpictures::question();
    GlyphListWindow::load();
}

void frm字形結構::loadGlyph(const QString &face, const QString &glyph, qint32 number)
{
    載入字形(face, glyph, number);
}

StructureOptions frm字形結構::options() const
{
    StructureOptions options{.faceNames = mFaceNames};
    if (Services() != nullptr)
        options.explanationOrder = Services()->isMenuChecked(QStringLiteral("mnu_說文解形順序"));
    return options;
}

void frm字形結構::載入字形(const QString &face, const QString &glyph, qint32 number)
{
    if (isLocked() || number <= 0)
        return;
    const sys::WaitCursor wait;
    const std::unique_ptr<StructureRecords> records = StructureRecordsOfFace(face);
    mMarkCount = 0;
    const StructureRoot root =
        BuildStructureRoot(*records, glyph, number, panelHoldsOperator(), options());

    OutlineList &tree = *list();
    tree.Clear();
    tree.setRedraw(false);
    AddStructureItem(tree, -1, root.item, m_question);
    if (root.composite) {
        載入使用字形(0, CanonicalFontName(root.item.face));
        tree.setExpanded(0, true);
    }
    tree.setMarkStyle(mMarkCount > 0 ? MarksShown : MarksHidden);
    tree.setRedraw(true);
    gGlyphViewMessage.clear();
    if (Services() != nullptr)
        Services()->setStatusText(QString());
}

void frm字形結構::載入使用字形(int index, const QString &face)
{
    OutlineList &tree = *list();
    const std::unique_ptr<StructureRecords> records = StructureRecordsOfFace(face);
    const QList<StructureItem> children = BuildStructureChildren(
        *records, tree.ItemData(index), tree.ItemText(index), face, options());
    for (const StructureItem &child : children) {
        AddStructureItem(tree, index, child, m_question);
        if (child.mark != RoleMarks::None)
            ++mMarkCount;
    }
}

void frm字形結構::onExpand(int index)
{
    OutlineList &tree = *list();
    if (tree.ChildCount(index) != 1 || !tree.ItemText(index + 1).isEmpty())
        return;
    const sys::WaitCursor wait;
    tree.RemoveItem(index + 1);
    tree.setRedraw(false);
    載入使用字形(index, tree.ItemFontName(index));
    if (mMarkCount > 0)
        tree.setMarkStyle(MarksShown);
    tree.setRedraw(true);
}
