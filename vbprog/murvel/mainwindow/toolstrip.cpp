#include "vbprog/murvel/mainwindow/toolstrip.h"

#include "platform/fonts/typefacetable.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/fontbar.h"
#include "vbprog/murvel/schema/schemanames.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>

namespace
{

constexpr int LargestStrokeCount = 99;
constexpr int ComboFontSize = 12;

QComboBox *makeCombo(QWidget *parent, const QString &name, const QString &toolTip,
                     const QString &face, bool typed)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setToolTip(toolTip);
    combo->setFont(fonts::fontFor(face, ComboFontSize));
    if (typed) {
        combo->setEditable(true);
        // Typed text is only ever applied by the window's own Enter handling.
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr);
    }
    return combo;
}

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

void addItems(QComboBox *combo, const QStringList &texts)
{
    for (int i = 0; i < texts.size(); ++i)
        combo->addItem(texts[i], i);
}

} // namespace

ToolStrip::ToolStrip(ToolStripHost &host, QWidget *parent)
    : QWidget(parent), fontName(makeCombo(this, "cbo字型名稱", "字型", "標楷體", true)),
      fontSize(makeCombo(this, "cbo字體大小", "字型大小", "Times New Roman", true)),
      firstStroke(makeCombo(this, "cbo首筆", "首筆", "標楷體", false)),
      strokeCount(makeCombo(this, "cbo筆畫", "筆畫", "Times New Roman", true)),
      symbolType(makeCombo(this, "cbo符號類型", "構字符號類型", "標楷體", false)),
      symbol(makeCombo(this, "cbo符號", "構字符號", "標楷體", false)), m_host(host)
{
    setObjectName("pic構字符號");
    addItems(fontName, {"細明體", "標楷體"});
    for (int i = 0; i < fontName->count(); ++i)
        fontName->setItemData(i, 0);
    addItems(fontSize, FontSizeItems());
    addItems(firstStroke, {"(全)", "橫", "直", "撇", "點", "曲"});

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    for (QComboBox *combo : {fontName, fontSize, firstStroke, strokeCount, symbolType, symbol})
        layout->addWidget(combo);
    layout->addStretch();

    connect(fontName, &QComboBox::activated, this, [this] { applyFontName(); });
    connect(fontSize, &QComboBox::activated, this, [this] { applyFontSize(); });
    connect(symbolType, &QComboBox::activated, this, [this] { listSymbols(); });
    connect(symbol, &QComboBox::activated, this,
            [this] { m_host.showSymbol(symbol->currentText()); });
    // Selections made by code run the stroke filters' handlers too.
    connect(strokeCount, &QComboBox::currentIndexChanged, this, [this] { strokeCountChosen(); });
    connect(firstStroke, &QComboBox::currentIndexChanged, this, [this] { firstStrokeChosen(); });
}

void ToolStrip::fillStrokeCounts()
{
    strokeCount->addItem("1-99", 0);
    for (int count = 1; count <= LargestStrokeCount; ++count)
        strokeCount->addItem(QString::number(count), count);
}

bool ToolStrip::holds(const QObject *watched) const
{
    return watched->parent() != nullptr && watched->parent()->parent() == this;
}

bool ToolStrip::keyPressed(QObject *watched, int key)
{
    if (!isEnter(key))
        return false;
    if (watched == fontName->lineEdit()) {
        const FontNameEntry entry = FontNameAfterEnter(fontName->currentText(), gBaseFontName);
        fontName->setEditText(entry.text);
        if (entry.apply)
            applyFontName();
        return true;
    }
    if (watched == fontSize->lineEdit()) {
        fontSize->setEditText(SizeTextAfterEnter(fontSize->currentText(), gFontSize));
        applyFontSize();
        return true;
    }
    if (watched == strokeCount->lineEdit()) {
        if (const std::optional<int> item = StrokeItemAfterEnter(strokeCount->currentText())) {
            // "1-99" clears the selection first, so that it always lists again.
            if (*item == 0)
                strokeCount->setCurrentIndex(-1);
            strokeCount->setCurrentIndex(*item);
        }
        return true;
    }
    return false;
}

void ToolStrip::lostFocus(QObject *watched)
{
    if (watched == fontName->lineEdit() && fontName->currentText().isEmpty())
        fontName->setEditText(gBaseFontName);
    if (watched == fontSize->lineEdit() && fontSize->currentText().isEmpty())
        fontSize->setEditText(QString::number(gFontSize));
}

void ToolStrip::applyFontName()
{
    if (fontName->currentText().isEmpty())
        fontName->setEditText(gBaseFontName);
    if (fontName->currentText() == gBaseFontName)
        return;
    gBaseFontName = fontName->currentText();
    m_host.baseFontChanged();
}

void ToolStrip::applyFontSize()
{
    if (fontSize->currentText().isEmpty())
        fontSize->setEditText(QString::number(gFontSize));
    const std::optional<int> size = SizeOfText(fontSize->currentText());
    if (!size) {
        // Text that is no number (such as "12abc") never becomes the glyph size.
        fontSize->setEditText(QString::number(gFontSize));
        return;
    }
    if (*size == gFontSize)
        return;
    gFontSize = *size;
    m_host.fontSizeChanged();
}

void ToolStrip::listSymbols()
{
    const QString type = QString::number(symbolType->currentData().toLongLong());
    jet::Result<jet::Snapshot> rows = gDb楷書.openSnapshot(
        "SELECT 編號,字形 From 常用符號及部件 Where 類型 = " + type + " ORDER BY 編號");
    symbol->clear();
    if (!rows) {
        m_host.setStatusText(rows.errorString());
        return;
    }
    for (; !rows->eof(); rows->moveNext())
        symbol->addItem(rows->value(Fields::字形).toString());
    if (symbol->count() > 0) {
        symbol->setCurrentIndex(0);
        m_host.showSymbol(symbol->currentText());
    }
}

void ToolStrip::clearStrokeFilters()
{
    m_strokeFilter = 0;
    m_firstStrokeFilter = 0;
}

void ToolStrip::strokeCountChosen()
{
    if (strokeCount->currentIndex() < 0) {
        strokeCount->setCurrentIndex(0); // runs this handler again, which applies the choice
        return;
    }
    m_strokeFilter = strokeCount->currentData().toInt();
    if (gStrokeFiltersReady)
        m_host.strokeFiltersChanged(m_strokeFilter, m_firstStrokeFilter);
}

void ToolStrip::firstStrokeChosen()
{
    m_firstStrokeFilter = firstStroke->currentData().toInt();
    if (gStrokeFiltersReady)
        m_host.strokeFiltersChanged(m_strokeFilter, m_firstStrokeFilter);
}
