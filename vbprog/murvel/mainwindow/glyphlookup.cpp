// The glyph lookups of the main window: Enter in txt字形, txt構字式 or txt編號 runs a
// lookup (panellookup.h); a hit fills the panel and sends the glyph to the open views, a
// miss clears the panel and shows its status. Also the automatic copy of the glyph and
// formula boxes to the clipboard.

#include "platform/fonts/typefacetable.h"
#include "vbprog/murvel/core/glyphattributes.h"
#include "vbprog/murvel/core/recordfields.h"
#include "vbprog/murvel/core/scriptfaces.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/broadcast.h"
#include "vbprog/murvel/mainwindow/mdi漢字字形.h"
#include "vbprog/murvel/schema/schemanames.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

namespace
{

const QString &RegularFace = Faces::Kai;
constexpr int GlyphBoxFontSize = 12;

// The boxes emptied by a miss; txt編號, txt外字集, txt構字式 and txt組字字數含異寫 keep
// what the user typed or saw.
const QStringList MissClearedBoxes = {"txt組字字數", "txt字形",         "txt總筆畫",
                                      "txt部首",     "txt扣除部首筆畫", "txt注音",
                                      "txt內碼",     "txt倉頡碼",       "txt冊數"};

bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// Whether the key types text into the box; Tab, Enter and the like carry a control
// character and type nothing.
bool typesText(const QKeyEvent *event)
{
    const QString text = event->text();
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.category() != QChar::Other_Control; });
}

} // namespace

// The glyph and formula boxes' changes run the automatic copy to the clipboard.
void mdi漢字字形::connectPanel()
{
    connect(box("txt字形"), &QLineEdit::textChanged, this, [this] { txt字形_Change(); });
    connect(box("txt構字式"), &QLineEdit::textChanged, this, [this] { txt構字式_Change(); });
}

void mdi漢字字形::panelKeyPressed(QLineEdit *target, const QKeyEvent *event)
{
    const QString name = target->objectName();
    if (name == "txt字形" && typesText(event)) {
        // The panel may have shown the previous glyph in a typeface of its own.
        target->setFont(fonts::fontFor(RegularFace, target->font().pointSizeF()));
    }
    if (!isEnter(event))
        return;
    if (name == "txt字形")
        showLookup(m_lookup.byGlyph(target->text()));
    else if (name == "txt構字式")
        showLookup(m_lookup.byFormula(target->text()));
    else if (name == "txt編號")
        showLookup(m_lookup.byNumber(target->text()));
}

void mdi漢字字形::showLookup(const LookupOutcome &outcome)
{
    if (outcome.glyphBoxText)
        box("txt字形")->setText(*outcome.glyphBoxText);
    if (outcome.kind == LookupOutcome::Kind::Hit)
        showHit(outcome.number, outcome.viewGlyph);
    else if (outcome.kind == LookupOutcome::Kind::Miss)
        showMiss(outcome.status);
}

void mdi漢字字形::showHit(qint32 number, const ViewGlyph &viewGlyph)
{
    readPanel();
    ShowGlyphAttributes(m_panel, RegularFace, number);
    showPanel();
    // The attribute step may have replaced the glyph box's text.
    ShowGlyphFormula(m_panel, RegularFace, box("txt字形")->text(), number);
    showPanel();

    BroadcastGlyph(
        m_childWindows, viewGlyph.face, [this] { return box("txt字形")->text(); },
        viewGlyph.number);
}

void mdi漢字字形::showMiss(const QString &status)
{
    for (const QString &name : MissClearedBoxes)
        box(name)->clear();
    setStatusText(status);
}

void mdi漢字字形::txt字形_Change()
{
    QLineEdit *glyphBox = box("txt字形");
    glyphBox->selectAll();
    QFont font = glyphBox->font();
    font.setPointSize(GlyphBoxFontSize);
    glyphBox->setFont(font);
    if (m_menus.isChecked("mnu_複製到剪貼簿"))
        QGuiApplication::clipboard()->setText(glyphBox->text());
}

void mdi漢字字形::txt構字式_Change()
{
    if (!m_menus.isChecked("mnu_複製到剪貼簿") || gRs檢字表.noMatch() || gRs檢字表.eof())
        return;
    // A glyph drawn from a typeface of its own is copied as its formula.
    if (Int32Field(gRs檢字表.value(Fields::字體)).value_or(0) != 0)
        QGuiApplication::clipboard()->setText(box("txt構字式")->text());
}
