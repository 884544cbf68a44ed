// The glyph lookups of the main window: Enter in txt字形, txt構字式 or txt編號 finds a
// regular-script record, fills the panel and sends the glyph to the open views; a miss
// clears the panel and reports "0 個字根". Also the automatic copy of the glyph and formula
// boxes to the clipboard.

#include "broadcast.h"
#include "mdi漢字字形.h"
#include "platform/fonts/typefacetable.h"
#include "platform/vb/integers.h"
#include "platform/vb/numbertext.h"
#include "vbprog/murvel/core/formulasearch.h"
#include "vbprog/murvel/core/glyphattributes.h"
#include "vbprog/murvel/core/messages.h"
#include "vbprog/murvel/core/recordfields.h"
#include "vbprog/murvel/core/scripttables.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/schema/schemanames.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace
{

const QString &RegularFace = Faces::Kai;
const QString MissStatus = QStringLiteral("0 個字根");
// A similar-glyph list no longer than this holds at most one one-character glyph.
constexpr qsizetype ShortestShownList = 11;
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

// Makes the working handle the regular-script table and seeks it.
bool seekRegular(const QString &index, const QVariant &key)
{
    gRs檢字表 = gRs檢字表楷書;
    return gRs檢字表.setIndex(index) && gRs檢字表.seek(key);
}

} // namespace

// The typeface and number the views get, from the current record of gRs檢字表: the script
// chosen in the 字集 menu when the glyph has a form in it, else the regular script.
static ViewGlyph viewGlyphOfRecord(qint32 regularNumber)
{
    const Script &script = ScriptOfCode(gCurrentScript);
    if (script.isAncient()) {
        const qint32 number = Int32Field(gRs檢字表.value(script.crossNumberField)).value_or(0);
        if (number >= 1)
            return {script.face(), number};
    }
    return {RegularFace, regularNumber};
}

void mdi漢字字形::connectPanel()
{
    connect(box("txt字形"), &QLineEdit::textChanged, this, [this] { txt字形_Change(); });
    connect(box("txt構字式"), &QLineEdit::textChanged, this, [this] { txt構字式_Change(); });
}

void mdi漢字字形::panelKeyPressed(QLineEdit *target, const QKeyEvent *event)
{
    const QString name = target->objectName();
    if (name == "txt字形" && !event->text().isEmpty()) {
        // The panel may have shown the previous glyph in a typeface of its own.
        target->setFont(fonts::fontFor(RegularFace, target->font().pointSizeF()));
    }
    if (!isEnter(event))
        return;
    if (name == "txt字形")
        lookUpGlyph();
    else if (name == "txt構字式")
        lookUpFormula();
    else if (name == "txt編號")
        lookUpNumber();
}

void mdi漢字字形::lookUpGlyph()
{
    const QString text = box("txt字形")->text();
    if (text.trimmed().isEmpty())
        return;
    // A list of near matches belongs to the formula search that made it.
    m_similarGlyphList.clear();
    // The text is sought exactly as typed: a blank before the glyph misses.
    if (!seekRegular(Indexes::字形, text)) {
        showSeekMiss();
        return;
    }
    const qint32 number = Int32Field(gRs檢字表.value(Fields::編號)).value_or(0);
    if (number < 1) {
        showMiss();
        return;
    }
    showHit(number, viewGlyphOfRecord(number));
}

void mdi漢字字形::lookUpFormula()
{
    const QString text = box("txt構字式")->text();
    if (text.trimmed().isEmpty())
        return;
    const FormulaSearchResult result = FindGlyphByFormula(text, m_similarGlyphList);
    if (result.glyphBoxText)
        box("txt字形")->setText(*result.glyphBoxText);
    if (result.number < 1) {
        showMiss();
        return;
    }
    if (!seekRegular(Indexes::編號, result.number)) {
        showSeekMiss();
        return;
    }
    showHit(result.number, viewGlyphOfRecord(result.number));
}

void mdi漢字字形::lookUpNumber()
{
    const QString text = box("txt編號")->text();
    if (!vb::IsNumeric(text))
        return;
    m_similarGlyphList.clear();
    // A number beyond 32 bits has no record, like a number below 1.
    const qint32 number = vb::CLng(vb::Val(text)).value_or(0);
    if (number < 1) {
        showMiss();
        return;
    }
    if (!seekRegular(Indexes::編號, number)) {
        showSeekMiss();
        return;
    }
    showHit(number, viewGlyphOfRecord(number));
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

void mdi漢字字形::showMiss()
{
    for (const QString &name : MissClearedBoxes)
        box(name)->clear();
    const QString status = m_similarGlyphList.size() < ShortestShownList
                               ? MissStatus
                               : MissStatus + m_similarGlyphList;
    m_status->setText(status);
}

void mdi漢字字形::showSeekMiss()
{
    showMiss();
    // A damaged file must not pass for a glyph that is not there.
    if (gRs檢字表.failed())
        m_status->setText(Messages::databaseReadError(gRs檢字表.name(), gRs檢字表.errorString()));
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
