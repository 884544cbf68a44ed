#pragma once

#include <QList>

namespace porvex
{

// Where a text of the source document lies against the same text of its preview copy once
// formulas have been rewritten: a formula becomes a glyph in the copy, and its result text
// (or nothing) in the source, so the two texts drift apart after each rewrite. Positions
// count UTF-16 units from 0.
class SourcePositions
{
public:
    // The position in the source of the copy's position copyAt, which lies outside every
    // rewritten stretch.
    int sourcePosition(int copyAt) const;

    // Records that the copy's stretch [copyAt, copyAt + length) became copyLength long and
    // the same stretch of the source sourceLength long.
    void rewrite(int copyAt, int length, int copyLength, int sourceLength);

private:
    struct Stretch {
        int copyAt;
        int copyLength;
        int sourceLength;
    };
    QList<Stretch> m_stretches; // in the order of their copy positions
};

} // namespace porvex
