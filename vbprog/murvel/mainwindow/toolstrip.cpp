#include "vbprog/murvel/mainwindow/toolstrip.h"

#include "platform/fonts/typefacetable.h"
#include "vbprog/murvel/mainwindow/fontbar.h"

#include <QComboBox>
#include <QHBoxLayout>

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

void addItems(QComboBox *combo, const QStringList &texts)
{
    for (int i = 0; i < texts.size(); ++i)
        combo->addItem(texts[i], i);
}

} // namespace

ToolStrip::ToolStrip(QWidget *parent)
    : QWidget(parent), fontName(makeCombo(this, "cbo字型名稱", "字型", "標楷體", true)),
      fontSize(makeCombo(this, "cbo字體大小", "字型大小", "Times New Roman", true)),
      firstStroke(makeCombo(this, "cbo首筆", "首筆", "標楷體", false)),
      strokeCount(makeCombo(this, "cbo筆畫", "筆畫", "Times New Roman", true)),
      symbolType(makeCombo(this, "cbo符號類型", "構字符號類型", "標楷體", false)),
      symbol(makeCombo(this, "cbo符號", "構字符號", "標楷體", false))
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
}

void ToolStrip::fillStrokeCounts()
{
    strokeCount->addItem("1-99", 0);
    for (int count = 1; count <= LargestStrokeCount; ++count)
        strokeCount->addItem(QString::number(count), count);
}
