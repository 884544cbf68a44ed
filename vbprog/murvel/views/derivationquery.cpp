#include "vbprog/murvel/views/derivationquery.h"

#include "platform/jet/quoting.h"
#include "vbprog/murvel/core/formula.h"
#include "vbprog/murvel/core/rootsequence.h"
#include "vbprog/murvel/schema/schemanames.h"

namespace
{

const QString ComponentSequence = Fields::部件序;
const QString ComponentSequence2 = Fields::部件序二;
const QString RootSequence = Fields::字根序;
const QString RootSequence2 = Fields::字根序二;
const QString RootSet = Fields::字根組;
const QString RootSet2 = Fields::字根組二;

// The variant twins ("...二") are regular-script columns only.
QString PlainTwin(const QString &column)
{
    return column.endsWith(u'二') ? column.chopped(1) : column;
}

// The typed text as literal characters of a LIKE pattern: the characters that the pattern
// would take as wildcards or as the start of a set are each put in a set of their own.
QString LiteralLikeText(const QString &text)
{
    QString literal;
    for (QChar c : text) {
        if (c == u'*' || c == u'?' || c == u'#' || c == u'[')
            literal += u'[' + QString(c) + u']';
        else
            literal += c;
    }
    return literal;
}

// SortComponentsByNumber reads nothing but the roots' numbers; these come from the
// searched script's 字根.
class RootNumbers : public RootCatalog
{
public:
    explicit RootNumbers(const DerivationTables &tables) : m_tables(tables) {}
    QList<Record> recordsOf(const QString &) const override { return {}; }
    std::optional<QString> variantOf(const QString &) const override { return std::nullopt; }
    std::optional<qint32> rootNumber(const QString &root) const override
    {
        return m_tables.rootNumber(root);
    }

private:
    const DerivationTables &m_tables;
};

struct SetFilter {
    QString membership; // the condition of belonging to the set
    QString countField; // the count of glyphs built with a glyph, within the set
};

SetFilter FilterOf(CharacterSet set)
{
    switch (set) {
    case CharacterSet::Common:
        return {QStringLiteral("常用字 > 0"), Fields::組字字數常用字};
    case CharacterSet::Big5:
        return {QStringLiteral("編號 > 0 and 編號 <= 13053"), Fields::組字字數Big5};
    case CharacterSet::Simplified:
        return {QStringLiteral("簡化字 > 0"), Fields::組字字數簡化字};
    case CharacterSet::HanyuDazidian:
        return {QStringLiteral("漢語大字典 > 0"), Fields::組字字數漢語大字典};
    case CharacterSet::All:
        break;
    }
    return {QStringLiteral("編號 > 0"), Fields::組字字數};
}

// A field name holding brackets of its own is named in brackets.
QString SqlName(const QString &field)
{
    return field.contains(u'(') ? u'[' + field + u']' : field;
}

} // namespace

QString ExpandRepetitionInput(const QString &text)
{
    if (text.size() != 2 || text[0] < QChar(OperatorCodes::PrefixFirst) ||
        text[0] > QChar(OperatorCodes::PrefixLast))
        return text;
    // The repeating operators are numbered in code-point order from PrefixFirst.
    const int number =
        OperatorNumbers::PrefixFirst + (text[0].unicode() - OperatorCodes::PrefixFirst);
    return QString(text[1]).repeated(PrefixRepeatCount(number));
}

DerivationTerms PrepareDerivationSearch(const QString &typed, const DerivationOptions &options,
                                        const QString &script, const DerivationTables &regular,
                                        const DerivationTables &scriptTables)
{
    QString text = ExpandRepetitionInput(typed);
    const bool single = text.size() == 1;
    QString column;
    if (options.sqlLike) {
        column = options.variantRoots ? RootSequence2 : RootSequence;
    } else if (script == ScriptCodes::Regular && options.variantRoots) {
        if (single) {
            text = regular.variantOf(text).value_or(text);
            column = options.stepwise ? ComponentSequence2 : RootSequence2;
        } else {
            column = options.inputOrder ? RootSequence2 : RootSet2;
        }
    } else if (single && options.stepwise) {
        column = ComponentSequence;
    } else {
        column = single || options.inputOrder ? RootSequence : RootSet;
    }

    if (ScriptCodes::IsAncient(script)) {
        column = PlainTwin(column);
        // Components typed in regular script become the forms the script's database uses.
        for (QChar &c : text) {
            const QString variant = scriptTables.variantOf(QString(c)).value_or(QString());
            if (!variant.isEmpty())
                c = variant[0];
        }
    }
    return {text, column};
}

DerivationTerms PrepareDerivationExpansion(const QString &itemText,
                                           const DerivationOptions &options, const QString &script,
                                           const DerivationTables &regular)
{
    const bool single = itemText.size() == 1;
    DerivationTerms terms{itemText, {}};
    if (options.variantRoots) {
        if (single) {
            terms.text = regular.variantOf(itemText).value_or(itemText);
            terms.column = options.stepwise ? ComponentSequence2 : RootSequence2;
        } else {
            terms.column = RootSet2;
        }
    } else if (single) {
        terms.column = options.stepwise ? ComponentSequence : RootSequence;
    } else {
        terms.column = RootSet;
    }
    if (ScriptCodes::IsAncient(script))
        terms.column = PlainTwin(terms.column);
    return terms;
}

QString 建構組字式(const QString &text, const QString &column, bool sqlLike,
                   const DerivationTables &tables)
{
    if (column.startsWith(ComponentSequence))
        return u'*' + LiteralLikeText(text) + u'*';

    if (column.startsWith(RootSequence)) {
        QString pattern = sqlLike ? QString() : QStringLiteral("*");
        for (QChar c : text) {
            if (const std::optional<QString> roots = tables.sequenceOf(QString(c), column))
                pattern += *roots;
            else if (sqlLike && HasLikeWildcard(QString(c)))
                pattern += c;
            if (!sqlLike)
                pattern += u'*';
        }
        return pattern;
    }

    // A root set: the roots of every character, in the order the stored sets keep them.
    QString roots;
    for (QChar c : text)
        roots += tables.sequenceOf(QString(c), column).value_or(QString());
    QString pattern = QStringLiteral("*");
    for (QChar root : SortComponentsByNumber(RootNumbers(tables), roots))
        pattern += root + QStringLiteral("*");
    return pattern;
}

bool IsUselessPattern(const QString &pattern)
{
    return pattern.isEmpty() || pattern == u"*" || pattern == u"**";
}

QString CountField(CharacterSet set)
{
    return FilterOf(set).countField;
}

QString BuildDerivationSql(const DerivationQuery &query)
{
    const SetFilter filter = FilterOf(query.set);
    const QString condition =
        query.stepwiseSetting && query.column.startsWith(u"部件")
            ? QStringLiteral(" ( ") + SqlName(filter.countField) + QStringLiteral(" > 0 )")
            : QStringLiteral(" (  ") + filter.membership + QStringLiteral(" ) ");
    const QString order = query.regularScript
                              ? QStringLiteral("  ORDER BY 部首筆畫排序,組字字數 DESC ")
                              : QStringLiteral("  ORDER BY 編號,組字字數 DESC ");

    if (!query.column.startsWith(u"字根"))
        return QStringLiteral("SELECT * From 檢字表 Where (字形=") +
               jet::quoteText(query.rootText) + QStringLiteral(") or ( ") + condition +
               QStringLiteral(" And ") + query.column + QStringLiteral(" Like ") +
               jet::quoteText(query.pattern) + u')' + order;
    return QStringLiteral("SELECT * From 檢字表 Where 編號>0 and ") + condition +
           QStringLiteral(" and ") + query.column + QStringLiteral(" Like ") +
           jet::quoteText(query.pattern) + order;
}
