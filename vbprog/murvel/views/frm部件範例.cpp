#include "vbprog/murvel/views/frm部件範例.h"

#include "platform/system/waitcursor.h"
#include "vbprog/murvel/core/componentlistsql.h"
#include "vbprog/murvel/core/typefacenames.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/mainwindowservices.h"
#include "vbprog/murvel/views/componentglyphs.h"
#include "vbprog/murvel/views/outlinelist.h"

#include <QComboBox>
#include <QLineEdit>

namespace
{

// ItemData of the title row; a glyph that the regular-script table lacks is a pseudo item
// (NoGlyphNumber).
constexpr qint32 TitleRowData = -9999;
// ItemFlag: the title row copies its own text, a glyph the glyph on the panel.
constexpr int TitleRowFlag = 3;
constexpr int GlyphFlag = 0;

GlyphListTraits componentListTraits()
{
    GlyphListTraits traits;
    traits.statusMessage = &gComponentListMessage;
    traits.selectShowsStatus = true;
    traits.firstItemIsTitle = true;
    traits.listFocusIsCurrentWindow = false;
    return traits;
}

void activateInMainWindow(int kind, int strokeIndex, int firstStrokeIndex)
{
    if (MainWindowServices *main = Services())
        main->childWindowActivated(kind, strokeIndex, firstStrokeIndex);
}

void showStatus(const QString &text)
{
    if (MainWindowServices *main = Services())
        main->setStatusText(text);
}

} // namespace

frm部件範例::frm部件範例(QWidget *parent) : GlyphListWindow(componentListTraits(), parent)
{
    setObjectName("frm部件範例");
}

void frm部件範例::load()
{
    GlyphListWindow::load();
    MainWindowServices *main = Services();
    if (main != nullptr) {
        mStrokeFilter = main->strokeFilterIndex();
        mFirstStrokeFilter = main->firstStrokeFilterIndex();
    }
    setWindowKind(mWindowKind);
    setWindowTitle(mWindowName);
    gCurrentWindowName = mWindowName;
    gCurrentWindowKind = mWindowKind;
    activateInMainWindow(mWindowKind, mStrokeFilter, mFirstStrokeFilter);
    部件查詢(mStrokeFilter, mFirstStrokeFilter);
}

void frm部件範例::activated()
{
    gCurrentWindowName = mWindowName;
    gCurrentWindowKind = mWindowKind;
    activateInMainWindow(mWindowKind, mStrokeFilter, mFirstStrokeFilter);
    showStatus(gComponentListMessage);
}

void frm部件範例::unload()
{
    GlyphListWindow::unload();
    showStatus(QString());
}

void frm部件範例::baseFontChanged()
{
    list()->setFontName(gBaseFontName);
}

void frm部件範例::部件查詢(int strokes, int firstStroke)
{
    sys::WaitCursor wait;
    mStrokeFilter = strokes;
    mFirstStrokeFilter = firstStroke;
    OutlineList *list = this->list();
    list->Clear();
    list->setRedraw(false);

    QString firstStrokeName;
    if (firstStroke > 0 && Services() != nullptr)
        firstStrokeName = Services()->firstStrokeText(firstStroke);
    list->AddItem(ComponentListTitle(mWindowName, strokes, firstStrokeName));
    list->setItemData(0, TitleRowData);
    list->setItemFlag(0, TitleRowFlag);
    list->setItemPicture(0, list->PictureNode());

    list->setFontName(gBaseFontName);
    gRs檢字表 = gRs檢字表楷書;
    const jet::Result<QList<ComponentGlyph>> glyphs = ReadComponentGlyphs(
        gDb楷書, BuildComponentListSql(mWindowName, strokes, firstStroke), gRs檢字表);
    if (!glyphs) {
        // The list keeps its title row; the failure takes the place of the count.
        gComponentListMessage = glyphs.errorString();
    } else {
        for (const ComponentGlyph &component : glyphs.value()) {
            list->AddItem(component.glyph, 0);
            const int added = list->NewIndex();
            list->setItemData(added, component.number.value_or(NoGlyphNumber));
            list->setItemFlag(added, GlyphFlag);
            // A missing character in a list of components is drawn in its own face.
            if (component.faceCode > 0 && component.faceCode < FaceCodeCount &&
                !gFaceNames[component.faceCode].isEmpty())
                list->setItemFontName(added, DisplayFontName(gFaceNames[component.faceCode]));
            list->setItemPicture(added,
                                 component.number ? list->PictureLeaf() : list->PictureUnknown());
        }
        gComponentListMessage = QString::number(list->ListCount() - 1) + QStringLiteral(" 個部件");
    }
    showStatus(gComponentListMessage);
    list->setExpanded(0, true);
    list->setRedraw(true);
}
