#include "data/generator/compositioncounts.h"

#include "vbprog/murvel/core/formula.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <array>
#include <functional>
#include <vector>

namespace
{

// The characters of a composition, sorted, each once: a million of them are kept at a time,
// which as hash sets took a few hundred bytes each.
using Composition = std::vector<QChar>;

// A character set of the derivation search: its count field and its membership test.
struct CharacterSet {
    QString countField;
    std::function<bool(const TableData &, int)> contains;
};

const std::array<CharacterSet, 4> &characterSets()
{
    static const std::array<CharacterSet, 4> sets = {{
        {Fields::組字字數常用字,
         [](const TableData &t, int r) { return t.number(r, Fields::常用字).value_or(0) > 0; }},
        {Fields::組字字數Big5,
         [](const TableData &t, int r) {
             const qint64 n = t.number(r, Fields::編號).value_or(0);
             return n >= 1 && n <= 13053;
         }},
        {Fields::組字字數簡化字,
         [](const TableData &t, int r) { return t.number(r, Fields::簡化字).value_or(0) > 0; }},
        {Fields::組字字數漢語大字典,
         [](const TableData &t, int r) { return t.number(r, Fields::漢語大字典).value_or(0) > 0; }},
    }};
    return sets;
}

// The characters a record is built from, through every level of its components.
class CompositionFinder
{
public:
    explicit CompositionFinder(const TableData &glyphs) : m_glyphs(glyphs)
    {
        for (int row = 0; row < glyphs.rowCount(); ++row) {
            const QString glyph = glyphs.text(row, Fields::字形);
            if (!glyph.isEmpty() && !m_firstRow.contains(glyph))
                m_firstRow.insert(glyph, row);
        }
        m_memo.resize(size_t(glyphs.rowCount()));
    }

    // The search keys were derived first, so the formulas hold no cycle.
    const Composition &of(int row)
    {
        if (m_memo[size_t(row)])
            return *m_memo[size_t(row)];
        Composition composition;
        const QString keys =
            m_glyphs.text(row, Fields::部件序) + m_glyphs.text(row, Fields::字根序);
        for (QChar c : keys) {
            if (!IsOperatorSymbol(c))
                composition.push_back(c);
        }
        if (m_glyphs.number(row, Fields::連接符號).value_or(0) != 0) {
            for (QChar c : m_glyphs.text(row, Fields::部件序)) {
                const int component = m_firstRow.value(QString(c), -1);
                if (component >= 0 && component != row) {
                    const Composition &part = of(component);
                    composition.insert(composition.end(), part.begin(), part.end());
                }
            }
        }
        std::sort(composition.begin(), composition.end());
        composition.erase(std::unique(composition.begin(), composition.end()), composition.end());
        composition.shrink_to_fit();
        m_memo[size_t(row)] = std::move(composition);
        return *m_memo[size_t(row)];
    }

private:
    const TableData &m_glyphs;
    QHash<QString, int> m_firstRow;
    std::vector<std::optional<Composition>> m_memo;
};

QChar standardForm(QChar c, const QHash<QChar, QChar> &variants)
{
    return variants.value(c, c);
}

} // namespace

void DeriveCompositionCounts(TableData &glyphs, const TableData *variantRoots)
{
    QHash<QChar, QChar> variants;
    for (int row = 0; variantRoots && row < variantRoots->rowCount(); ++row) {
        const QString root = variantRoots->text(row, Fields::字根);
        const QString variant = variantRoots->text(row, Fields::異寫);
        if (root.size() == 1 && variant.size() == 1 && !variants.contains(root[0]))
            variants.insert(root[0], variant[0]);
    }

    const auto &sets = characterSets();
    QHash<QChar, int> counts, variantCounts;
    std::array<QHash<QChar, int>, 4> setCounts;
    CompositionFinder compositions(glyphs);
    for (int row = 0; row < glyphs.rowCount(); ++row) {
        const qint64 kind = glyphs.number(row, Fields::連接符號).value_or(0);
        if (glyphs.number(row, Fields::編號).value_or(0) <= 0 || kind == FormulaKinds::Root ||
            kind == FormulaKinds::Symbol)
            continue; // only composed glyphs are built with others
        const Composition &composition = compositions.of(row);
        QSet<QChar> standard;
        for (QChar c : composition) {
            ++counts[c];
            standard.insert(standardForm(c, variants));
            for (size_t s = 0; s < sets.size(); ++s) {
                if (sets[s].contains(glyphs, row))
                    ++setCounts[s][c];
            }
        }
        for (QChar c : standard)
            ++variantCounts[c];
    }

    for (int row = 0; row < glyphs.rowCount(); ++row) {
        const QString glyph = glyphs.text(row, Fields::字形);
        const bool single = glyph.size() == 1;
        const QChar c = single ? glyph[0] : QChar();
        auto countOf = [&](const QHash<QChar, int> &table, QChar key) {
            return qlonglong(single ? table.value(key) : 0);
        };
        glyphs.setValue(row, Fields::組字字數, countOf(counts, c));
        glyphs.setValue(row, Fields::組字字數二, countOf(variantCounts, standardForm(c, variants)));
        for (size_t s = 0; s < sets.size(); ++s)
            glyphs.setValue(row, sets[s].countField, countOf(setCounts[s], c));
    }
}
