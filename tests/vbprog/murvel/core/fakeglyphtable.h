#pragma once

#include "vbprog/murvel/core/glyphrtf.h"

#include <QList>
#include <utility>

// Stands in for index 構字式: records by formula key, and the keys asked for.
class FakeGlyphTable
{
public:
    void add(const QString &formula, std::optional<int> face, const QString &code)
    {
        m_records.append({FormulaKeyOf(formula), FormulaGlyph{face, code}});
    }

    void addKey(const FormulaKey &key, std::optional<int> face, const QString &code)
    {
        m_records.append({key, FormulaGlyph{face, code}});
    }

    FormulaGlyphLookup lookup()
    {
        return [this](const FormulaKey &key) -> std::optional<FormulaGlyph> {
            asked.append(key);
            for (const auto &[recordKey, glyph] : m_records)
                if (recordKey == key)
                    return glyph;
            return std::nullopt;
        };
    }

    QList<FormulaKey> asked;

private:
    QList<std::pair<FormulaKey, FormulaGlyph>> m_records;
};
