#include "vbprog/murvel/mainwindow/glyphpanelwidget.h"

#include "platform/fonts/typefacetable.h"
#include "vbprog/murvel/core/glyphpanel.h"
#include "vbprog/murvel/core/typefacenames.h"
#include "vbprog/murvel/core/公用變數.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace
{

constexpr int PanelFontSize = 12;
constexpr int BoxesPerRow = 7;
// The formula box has the third row to itself, five columns wide.
const QString FormulaBox = QStringLiteral("txt構字式");

} // namespace

GlyphPanelWidget::GlyphPanelWidget(QWidget *parent) : QWidget(parent), m_status(new QLineEdit)
{
    setObjectName("pic字形屬性");
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    const QFont glyphFont = fonts::fontFor(gDefaultFace, PanelFontSize);
    for (int i = 0; i < GlyphPanel::BoxCount; ++i) {
        const GlyphPanel::Box &entry = GlyphPanel::Boxes[i];
        auto *box = new QLineEdit(this);
        box->setObjectName(entry.name);
        if (entry.name == "txt字形" || entry.name == FormulaBox)
            box->setFont(glyphFont);
        m_boxes.insert(entry.name, box);
        const bool isFormula = entry.name == FormulaBox;
        const int row = isFormula ? 2 : i / BoxesPerRow;
        const int column = isFormula ? 0 : (i % BoxesPerRow) * 2;
        grid->addWidget(new QLabel(entry.caption, this), row, column);
        grid->addWidget(box, row, column + 1, 1, isFormula ? 5 : 1);
    }
    m_status->setObjectName("txt狀態");
    m_status->setReadOnly(true);
    grid->addWidget(new QLabel("狀態", this), 2, 6);
    grid->addWidget(m_status, 2, 7, 1, 7);
}

bool GlyphPanelWidget::isBox(const QObject *object) const
{
    const auto *edit = qobject_cast<const QLineEdit *>(object);
    return edit != nullptr && m_boxes.value(edit->objectName()) == edit;
}

void GlyphPanelWidget::showStatus(const QString &text)
{
    if (m_status->text() != text)
        m_status->setText(text);
}

void GlyphPanelWidget::read(GlyphPanel &panel) const
{
    for (const GlyphPanel::Box &entry : GlyphPanel::Boxes)
        panel.setText(entry.name, box(entry.name)->text());
}

void GlyphPanelWidget::fill(const GlyphPanel &panel)
{
    QLineEdit *glyphBox = box("txt字形");
    // The glyph's face follows the base typeface: 細明體外字集N under 細明體.
    if (!panel.glyphFace().isEmpty())
        glyphBox->setFont(
            fonts::fontFor(DisplayFontName(panel.glyphFace()), glyphBox->font().pointSizeF()));
    for (const GlyphPanel::Box &entry : GlyphPanel::Boxes) {
        QLineEdit *target = box(entry.name);
        if (target->text() != panel.text(entry.name))
            target->setText(panel.text(entry.name));
    }
}
