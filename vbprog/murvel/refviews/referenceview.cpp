#include "vbprog/murvel/refviews/referenceview.h"

#include "vbprog/murvel/core/typefacenames.h"
#include "vbprog/murvel/mainwindow/mainwindowservices.h"
#include "vbprog/murvel/refviews/referencerecords.h"
#include "vbprog/murvel/views/outlinelist.h"

#include <QLineEdit>

ReferenceView::ReferenceView(GlyphListTraits traits, QWidget *parent)
    : GlyphListWindow(std::move(traits), parent)
{
}

void ReferenceView::fontSizeChanged()
{
    OutlineList *tree = list();
    tree->setFontSize(gFontSize);
    for (int i = 0; i < tree->ListCount(); ++i) {
        if (tree->ItemText(i).size() == 1)
            tree->setItemFontSize(i, gFontSize);
    }
}

QString ReferenceView::glyphFaceOfCode(const QVariant &code) const
{
    return DisplayFontName(FaceNameOfCode(mFaceNames, code, gDefaultFace));
}

void ReferenceView::showRows(const ReferenceRows &rows)
{
    OutlineList *tree = list();
    tree->Clear();
    tree->setRedraw(false);
    // Rows come in display order, so each one's list index is its index among the rows.
    for (const ReferenceRow &row : rows) {
        tree->AddItem(row.text, row.parent);
        const int index = tree->NewIndex();
        if (!row.fontName.isEmpty())
            tree->setItemFontName(index, row.fontName);
        if (row.fontSize)
            tree->setItemFontSize(index, *row.fontSize);
        tree->setItemData(index, row.data);
        tree->setItemFlag(index, row.flag);
        if (row.richText)
            tree->ItemCell(index).setRichText(1);
        tree->setItemPicture(index, row.node ? tree->PictureNode() : tree->PictureLeaf());
    }
    for (int index = 0; index < rows.size(); ++index) {
        if (rows[index].expanded)
            tree->setExpanded(index, true);
    }
    tree->setRedraw(true);
}

bool ReferenceView::optionChecked(const QString &item)
{
    return Services() != nullptr && Services()->isMenuChecked(item);
}

void ReferenceView::clearStatus()
{
    gGlyphViewMessage.clear();
    if (Services() != nullptr)
        Services()->setStatusText(gGlyphViewMessage);
}
