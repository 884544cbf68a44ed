#include "vbprog/murvel/core/panellookup.h"

#include "platform/vb/integers.h"
#include "platform/vb/numbertext.h"
#include "vbprog/murvel/core/formulasearch.h"
#include "vbprog/murvel/core/messages.h"
#include "vbprog/murvel/core/recordfields.h"
#include "vbprog/murvel/core/scripttables.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/schema/schemanames.h"

namespace
{

const QString MissStatus = QStringLiteral("0 個字根");
// A similar-glyph list no longer than this holds at most one one-character glyph.
constexpr qsizetype ShortestShownList = 11;

// The glyph the views get from the current record of gRs檢字表.
ViewGlyph viewGlyphOfRecord(qint32 regularNumber)
{
    const Script &script = ScriptOfCode(gCurrentScript);
    if (script.isAncient()) {
        const qint32 number = Int32Field(gRs檢字表.value(script.crossNumberField)).value_or(0);
        if (number >= 1)
            return {script.face(), number};
    }
    return {ScriptOf(ScriptId::Regular).face(), regularNumber};
}

} // namespace

LookupOutcome PanelLookup::byGlyph(const QString &text)
{
    if (text.trimmed().isEmpty())
        return {};
    // A list of near matches belongs to the formula search that made it.
    m_similarGlyphList.clear();
    return seek(Indexes::字形, text, 0);
}

LookupOutcome PanelLookup::byFormula(const QString &text)
{
    if (text.trimmed().isEmpty())
        return {};
    const FormulaSearchResult result = FindGlyphByFormula(text, m_similarGlyphList);
    LookupOutcome outcome =
        result.number < 1 ? miss() : seek(Indexes::編號, result.number, result.number);
    outcome.glyphBoxText = result.glyphBoxText;
    return outcome;
}

LookupOutcome PanelLookup::byNumber(const QString &text)
{
    if (!vb::IsNumeric(text))
        return {};
    m_similarGlyphList.clear();
    const qint32 number = vb::CLng(vb::Val(text)).value_or(0);
    if (number < 1)
        return miss();
    return seek(Indexes::編號, number, number);
}

// Seeks the regular-script table; a number of 0 takes the record's own 編號.
LookupOutcome PanelLookup::seek(const QString &index, const QVariant &key, qint32 number)
{
    gRs檢字表 = gRs檢字表楷書;
    if (!gRs檢字表.setIndex(index) || !gRs檢字表.seek(key)) {
        LookupOutcome outcome = miss();
        // A damaged file must not pass for a glyph that is not there.
        if (gRs檢字表.failed())
            outcome.status = Messages::databaseReadError(gRs檢字表.name(), gRs檢字表.errorString());
        return outcome;
    }
    if (number == 0)
        number = Int32Field(gRs檢字表.value(Fields::編號)).value_or(0);
    if (number < 1)
        return miss();
    LookupOutcome outcome;
    outcome.kind = LookupOutcome::Kind::Hit;
    outcome.number = number;
    outcome.viewGlyph = viewGlyphOfRecord(number);
    return outcome;
}

LookupOutcome PanelLookup::miss() const
{
    LookupOutcome outcome;
    outcome.kind = LookupOutcome::Kind::Miss;
    outcome.status = m_similarGlyphList.size() < ShortestShownList
                         ? MissStatus
                         : MissStatus + m_similarGlyphList;
    return outcome;
}
