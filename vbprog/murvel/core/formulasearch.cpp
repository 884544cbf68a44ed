#include "vbprog/murvel/core/formulasearch.h"

#include "vbprog/murvel/core/databaserootcatalog.h"
#include "vbprog/murvel/core/recordfields.h"
#include "vbprog/murvel/core/rootsequence.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/schema/schemanames.h"

namespace
{

const QString SimilarGlyphsPrefix = QStringLiteral(",相似字形: ");

// The text without the blanks (U+0020) around it; other white space is kept, as the
// formula box has always done.
QString withoutOuterBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text[first] == u' ')
        ++first;
    while (end > first && text[end - 1] == u' ')
        --end;
    return text.sliced(first, end - first);
}

// The label of the current record in the similar-glyph list: its glyph, or its formula when
// it is drawn from another typeface (字體 not 0; Null counts as 0) or has no glyph of its own.
// nullopt when the formula is needed and the 部件序 is Null.
std::optional<QString> currentLabel(const jet::Table &table)
{
    const QVariant glyph = table.value(Fields::字形);
    if (!glyph.isNull() && Int32Field(table.value(Fields::字體)).value_or(0) == 0)
        return glyph.toString();
    const QVariant components = table.value(Fields::部件序);
    if (components.isNull())
        return std::nullopt;
    return JoinFormula(Int32Field(table.value(Fields::連接符號)), components.toString());
}

qint32 findByGlyph(jet::Table &table, const QString &glyph)
{
    if (!table.setIndex(Indexes::字形) || !table.seek(glyph))
        return NoGlyphFound;
    return Int32Field(table.value(Fields::編號)).value_or(NoGlyphFound);
}

// One search of a parsed formula through the five levels.
class FormulaSearch
{
public:
    FormulaSearch(jet::Table &table, const FormulaKey &key, QString &similarGlyphList)
        : m_table(table), m_key(key), m_similarGlyphList(similarGlyphList)
    {
    }

    qint32 run()
    {
        const QString &key = m_key.components;
        if (auto end = tryLevel(Indexes::構字式, {int(m_key.kind), key}, key))
            return *end;
        // After level 1 the walk compares with the root sequence, whatever was sought.
        const std::optional<QString> built = BuildRootSequence(m_catalog, key);
        if (!built)
            return NoGlyphFound;
        const QString &roots = *built;
        if (auto end = tryLevel(Indexes::字根序, {roots}, roots))
            return *end;
        if (auto end = tryLevel(Indexes::字根序二, {ReplaceVariantRoots(m_catalog, roots)}, roots))
            return *end;
        const QString rootSet = SortComponentsByNumber(m_catalog, roots);
        if (auto end = tryLevel(Indexes::字根組, {rootSet}, roots))
            return *end;
        const QString variantRootSet =
            SortComponentsByNumber(m_catalog, ReplaceVariantRoots(m_catalog, rootSet));
        if (auto end = tryLevel(Indexes::字根組二, {variantRootSet}, roots))
            return *end;
        return NoGlyphFound;
    }

private:
    // The result when the search ends at this level: the walk's after a match, NoGlyphFound
    // when the level cannot be searched (its key could not be built, or the index is
    // missing). nullopt when nothing matches and the next level is tried.
    std::optional<qint32> tryLevel(const QString &index, const QVariantList &key,
                                   const QString &walkString)
    {
        if (m_catalog.failed() || !m_table.setIndex(index))
            return NoGlyphFound;
        if (!m_table.seek(key))
            return std::nullopt;
        return walkFromMatch(walkString);
    }

    // From the matched record along the current index, while 部件序 is the walk string:
    // a record of the typed kind becomes the result, the others are listed as near matches.
    qint32 walkFromMatch(const QString &walkString)
    {
        qint32 result = Int32Field(m_table.value(Fields::編號)).value_or(NoGlyphFound);
        const std::optional<QString> firstLabel = currentLabel(m_table);
        if (!firstLabel)
            return result;
        bool moved = false;
        QString labels;
        for (m_table.moveNext(); !m_table.eof(); m_table.moveNext()) {
            const QVariant components = m_table.value(Fields::部件序);
            if (components.isNull() || components.toString() != walkString)
                break;
            if (Int32Field(m_table.value(Fields::連接符號)) == m_key.kind) {
                result = Int32Field(m_table.value(Fields::編號)).value_or(result);
                moved = true;
            } else {
                // The 部件序 is not Null here, so the label always has a text.
                labels += u'[' + currentLabel(m_table).value_or(QString()) + u']';
            }
        }
        if (moved)
            labels.prepend(*firstLabel);
        if (!labels.isEmpty())
            m_similarGlyphList = SimilarGlyphsPrefix + labels;
        return result;
    }

    jet::Table &m_table;         // gRs檢字表; not owned.
    const FormulaKey &m_key;     // Not owned.
    QString &m_similarGlyphList; // The caller's; not owned.
    DatabaseRootCatalog m_catalog;
};

} // namespace

TypedFormula ParseTypedFormula(const QString &text)
{
    const QString s = withoutOuterBlanks(text);
    if (s.size() == 1)
        return {TypedFormula::Form::SingleGlyph, {.components = s}};

    FormulaKey key{FormulaKinds::Bracketed, {}};
    int lastOperator = 0;
    for (QChar c : s) {
        lastOperator = FindOperator(QString(c), 1, OperatorNumbers::Count);
        if (lastOperator == OperatorNumbers::OpenBracket ||
            lastOperator == OperatorNumbers::CloseBracket) {
            key.kind = FormulaKinds::Bracketed;
            key.components += s.mid(1, s.size() - 2);
            break;
        }
        if (lastOperator >= OperatorNumbers::InfixFirst &&
            lastOperator <= OperatorNumbers::InfixLast) {
            key.kind = qint16(lastOperator);
        } else if (s.size() == 2) {
            key = {FormulaKinds::Other, s};
            break;
        } else {
            key.components += c;
        }
    }
    if (key.components.isEmpty())
        key.components = s;
    const bool tooShort =
        key.components.isEmpty() || (key.components.size() == 1 && lastOperator != 0);
    return {tooShort ? TypedFormula::Form::TooShort : TypedFormula::Form::Formula, key};
}

FormulaSearchResult FindGlyphByFormula(const QString &formulaText, QString &similarGlyphList)
{
    similarGlyphList.clear(); // a later miss must not show an earlier search's near matches
    const TypedFormula typed = ParseTypedFormula(formulaText);
    gRs檢字表 = gRs檢字表楷書;
    switch (typed.form) {
    case TypedFormula::Form::SingleGlyph:
        return {findByGlyph(gRs檢字表, typed.key.components), std::nullopt};
    case TypedFormula::Form::TooShort:
        return {FormulaTooShort, typed.key.components};
    case TypedFormula::Form::Formula:
        break;
    }
    return {FormulaSearch(gRs檢字表, typed.key, similarGlyphList).run(), std::nullopt};
}
