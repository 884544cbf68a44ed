#include "data/generator/glyphnumbers.h"

#include "platform/codepage/cp950.h"

#include <QHash>

namespace
{

constexpr int kTrailsPerLead = 157;

// Position of a trail byte among the 157 of a lead byte, or -1.
int trailIndex(int trail)
{
    if (trail >= 0x40 && trail <= 0x7E)
        return trail - 0x40;
    if (trail >= 0xA1 && trail <= 0xFE)
        return 63 + trail - 0xA1;
    return -1;
}

// Position of a code in the block that starts at lead byte firstLead, or -1.
int positionFrom(int firstLead, quint16 code)
{
    const int trail = trailIndex(code & 0xFF);
    if (trail < 0)
        return -1;
    return ((code >> 8) - firstLead) * kTrailsPerLead + trail;
}

// Remembers which record took a number, refusing a second one.
class NumberRegister
{
public:
    explicit NumberRegister(const TableData &glyphs) : m_glyphs(glyphs) {}

    bool isTaken(qint64 number) const { return m_owner.contains(number); }

    void take(int row, qint64 number, QList<SourceError> &errors)
    {
        const auto owner = m_owner.constFind(number);
        if (owner != m_owner.constEnd()) {
            errors.append(
                m_glyphs.errorAt(row, QStringLiteral("duplicate 編號 %1 (also on line %2)")
                                          .arg(number)
                                          .arg(m_glyphs.cells.line(*owner))));
            return;
        }
        m_owner.insert(number, row);
    }

private:
    const TableData &m_glyphs;
    QHash<qint64, int> m_owner;
};

} // namespace

std::optional<int> Big5GlyphRank(const QString &glyph, qint64 face)
{
    if (glyph.size() != 1 || face != 0)
        return std::nullopt;
    const auto code = codepage::big5Code(glyph[0]);
    return code ? Big5HanziRank(*code) : std::nullopt;
}

std::optional<int> Big5HanziRank(quint16 code)
{
    constexpr int frequentCount = 5401; // A440..C67E
    constexpr int hanziCount = 13053;   // ..F9D5
    if (code >= 0xA440 && code <= 0xC67E) {
        const int position = positionFrom(0xA4, code);
        return position < 0 ? std::nullopt : std::optional<int>(position + 1);
    }
    if (code >= 0xC940 && code <= 0xF9D5) {
        const int position = positionFrom(0xC9, code);
        return position < 0 ? std::nullopt : std::optional<int>(frequentCount + position + 1);
    }
    if (code >= 0xF9D6 && code <= 0xF9DC)
        return hanziCount + (code - 0xF9D6) + 1;
    return std::nullopt;
}

void AssignRegularGlyphNumbers(TableData &glyphs, QList<SourceError> &errors)
{
    NumberRegister numbers(glyphs);
    QList<int> unnumbered;
    for (int row = 0; row < glyphs.rowCount(); ++row) {
        if (const auto given = glyphs.number(row, Fields::編號))
            numbers.take(row, *given, errors);
    }
    for (int row = 0; row < glyphs.rowCount(); ++row) {
        if (!glyphs.isNull(row, Fields::編號))
            continue;
        const auto rank = Big5GlyphRank(glyphs.text(row, Fields::字形),
                                        glyphs.number(row, Fields::字體).value_or(0));
        if (rank && !numbers.isTaken(*rank)) {
            numbers.take(row, *rank, errors);
            glyphs.setValue(row, Fields::編號, qlonglong(*rank));
        } else {
            unnumbered.append(row);
        }
    }
    qint64 next = FirstNonBig5Number;
    for (int row : unnumbered) {
        while (numbers.isTaken(next))
            ++next;
        numbers.take(row, next, errors);
        glyphs.setValue(row, Fields::編號, qlonglong(next));
    }
}

void CheckGlyphNumbers(const TableData &glyphs, QList<SourceError> &errors)
{
    NumberRegister numbers(glyphs);
    for (int row = 0; row < glyphs.rowCount(); ++row) {
        if (const auto given = glyphs.number(row, Fields::編號))
            numbers.take(row, *given, errors);
        else
            errors.append(glyphs.errorAt(row, QStringLiteral("編號 is required")));
    }
}
