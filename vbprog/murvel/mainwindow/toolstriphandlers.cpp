// The handlers of the tool strip's six combo boxes.

#include "vbprog/murvel/core/glyphattributes.h"
#include "vbprog/murvel/core/scriptfaces.h"
#include "vbprog/murvel/core/公用程序.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/broadcast.h"
#include "vbprog/murvel/mainwindow/childwindow.h"
#include "vbprog/murvel/mainwindow/componentlistview.h"
#include "vbprog/murvel/mainwindow/fontbar.h"
#include "vbprog/murvel/mainwindow/mdi漢字字形.h"
#include "vbprog/murvel/mainwindow/toolstrip.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"
#include "vbprog/murvel/schema/schemanames.h"

#include <QComboBox>
#include <QLineEdit>

namespace
{

const QString &RegularFace = Faces::Kai;

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

void mdi漢字字形::connectToolStrip()
{
    ToolStrip *strip = m_toolStrip;
    connect(strip->fontName, &QComboBox::activated, this, [this] { cbo字型名稱_click(); });
    connect(strip->fontSize, &QComboBox::activated, this, [this] { cbo字體大小_Click(); });
    connect(strip->symbolType, &QComboBox::activated, this, [this] { cbo符號類型_Click(); });
    connect(strip->symbol, &QComboBox::activated, this, [this] { cbo符號_Click(); });
    // Selections made by code run the stroke filters' handlers too.
    connect(strip->strokeCount, &QComboBox::currentIndexChanged, this, [this] { cbo筆畫_Click(); });
    connect(strip->firstStroke, &QComboBox::currentIndexChanged, this, [this] { cbo首筆_Click(); });
}

bool mdi漢字字形::fontBarKeyPressed(QObject *watched, int key)
{
    if (!isEnter(key))
        return false;
    ToolStrip *strip = m_toolStrip;
    if (watched == strip->fontName->lineEdit()) {
        const FontNameEntry entry =
            FontNameAfterEnter(strip->fontName->currentText(), gBaseFontName);
        strip->fontName->setEditText(entry.text);
        if (entry.apply)
            cbo字型名稱_click();
        return true;
    }
    if (watched == strip->fontSize->lineEdit()) {
        strip->fontSize->setEditText(SizeTextAfterEnter(strip->fontSize->currentText(), gFontSize));
        cbo字體大小_Click();
        return true;
    }
    if (watched == strip->strokeCount->lineEdit()) {
        if (const std::optional<int> item =
                StrokeItemAfterEnter(strip->strokeCount->currentText())) {
            // "1-99" clears the selection first, so that it always lists again.
            if (*item == 0)
                strip->strokeCount->setCurrentIndex(-1);
            strip->strokeCount->setCurrentIndex(*item);
        }
        return true;
    }
    return false;
}

void mdi漢字字形::fontBarLostFocus(QObject *watched)
{
    ToolStrip *strip = m_toolStrip;
    if (watched == strip->fontName->lineEdit() && strip->fontName->currentText().isEmpty())
        strip->fontName->setEditText(gBaseFontName);
    if (watched == strip->fontSize->lineEdit() && strip->fontSize->currentText().isEmpty())
        strip->fontSize->setEditText(QString::number(gFontSize));
}

void mdi漢字字形::cbo字型名稱_click()
{
    QComboBox *combo = m_toolStrip->fontName;
    if (combo->currentText().isEmpty())
        combo->setEditText(gBaseFontName);
    if (combo->currentText() == gBaseFontName)
        return;
    gBaseFontName = combo->currentText();
    for (ChildWindow *window : m_childWindows.loaded())
        window->baseFontChanged();
}

void mdi漢字字形::cbo字體大小_Click()
{
    QComboBox *combo = m_toolStrip->fontSize;
    if (combo->currentText().isEmpty())
        combo->setEditText(QString::number(gFontSize));
    const std::optional<int> size = SizeOfText(combo->currentText());
    if (!size) {
        // Text that is no number (such as "12abc") never becomes the glyph size.
        combo->setEditText(QString::number(gFontSize));
        return;
    }
    if (*size == gFontSize)
        return;
    gFontSize = *size;
    for (ChildWindow *window : m_childWindows.loaded())
        window->fontSizeChanged();
}

void mdi漢字字形::cbo符號類型_Click()
{
    QComboBox *types = m_toolStrip->symbolType;
    QComboBox *symbols = m_toolStrip->symbol;
    const QString type = QString::number(types->currentData().toLongLong());
    jet::Result<jet::Snapshot> rows = gDb楷書.openSnapshot(
        "SELECT 編號,字形 From 常用符號及部件 Where 類型 = " + type + " ORDER BY 編號");
    symbols->clear();
    if (!rows) {
        statusBox()->setText(rows.errorString());
        return;
    }
    for (; !rows->eof(); rows->moveNext())
        symbols->addItem(rows->value(Fields::字形).toString());
    if (symbols->count() > 0) {
        symbols->setCurrentIndex(0);
        cbo符號_Click();
    }
}

void mdi漢字字形::cbo符號_Click()
{
    const QString symbol = m_toolStrip->symbol->currentText();
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

void mdi漢字字形::cbo筆畫_Click()
{
    QComboBox *combo = m_toolStrip->strokeCount;
    if (combo->currentIndex() < 0) {
        combo->setCurrentIndex(0); // runs this handler again, which applies the choice
        return;
    }
    m_strokeFilter = combo->currentData().toInt();
    if (gStrokeFiltersReady)
        queryComponentList();
}

void mdi漢字字形::cbo首筆_Click()
{
    m_firstStrokeFilter = m_toolStrip->firstStroke->currentData().toInt();
    if (gStrokeFiltersReady)
        queryComponentList();
}

void mdi漢字字形::queryComponentList()
{
    if (auto *list =
            dynamic_cast<ComponentListView *>(m_childWindows.find(WindowKinds::FirstComponentList)))
        list->部件查詢(m_strokeFilter, m_firstStrokeFilter);
}
