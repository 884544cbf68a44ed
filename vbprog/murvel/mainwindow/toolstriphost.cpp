// What the main window does for its tool strip: the views follow the base typeface and
// size, the panel shows a chosen symbol, the component list follows the stroke filters.

#include "vbprog/murvel/core/glyphattributes.h"
#include "vbprog/murvel/core/scriptfaces.h"
#include "vbprog/murvel/core/公用程序.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/broadcast.h"
#include "vbprog/murvel/mainwindow/childwindow.h"
#include "vbprog/murvel/mainwindow/componentlistview.h"
#include "vbprog/murvel/mainwindow/mdi漢字字形.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"
#include "vbprog/murvel/schema/schemanames.h"

namespace
{

const QString &RegularFace = Faces::Kai;

} // namespace

void mdi漢字字形::baseFontChanged()
{
    for (ChildWindow *window : m_childWindows.loaded())
        window->baseFontChanged();
}

void mdi漢字字形::fontSizeChanged()
{
    for (ChildWindow *window : m_childWindows.loaded())
        window->fontSizeChanged();
}

void mdi漢字字形::showSymbol(const QString &symbol)
{
    // The symbols are regular-script glyphs, whatever table a view left the working handle on.
    gRs檢字表 = gRs檢字表楷書;
    gRs檢字表.setIndex(Indexes::字形);
    if (!gRs檢字表.seek(symbol))
        return;
    readPanel();
    m_panel.setText("txt字形", symbol);
    m_panel.setText("txt內碼", gRs檢字表.value(Fields::BIG5).toString());
    m_panel.setText("txt倉頡碼", CangjieCodeToRadicals(gRs檢字表.value(Fields::倉頡).toString()));
    const qint32 number = gRs檢字表.value(Fields::編號).toInt();
    const QVariant kind = gRs檢字表.value(Fields::連接符號);
    showPanel();

    ShowGlyphAttributes(m_panel, RegularFace, number);
    ShowGlyphFormula(m_panel, RegularFace, symbol, number);
    showPanel();
    if (kind.isNull() || kind.toInt() != FormulaKinds::Symbol)
        BroadcastGlyph(m_childWindows, RegularFace, [symbol] { return symbol; }, number,
                       {WindowKinds::Index});
}

void mdi漢字字形::strokeFiltersChanged(int strokeCount, int firstStroke)
{
    if (auto *list =
            dynamic_cast<ComponentListView *>(m_childWindows.find(WindowKinds::FirstComponentList)))
        list->部件查詢(strokeCount, firstStroke);
}
