#pragma once

#include "bench/synthetic/syntheticshape.h"

#include <QList>
#include <QString>
#include <QStringList>

// The regular script of a synthetic database set as its sources describe it: the records
// of 檢字表 in file order (operator symbols, roots, composed glyphs), the roots of table 字根
// and the variant groups of 異體字表.

// A root as the sample sources list it: the character, its strokes and first stroke.
struct SampleRoot {
    QString glyph;
    int strokes = 0;
    int firstStroke = 0;
    bool simplified = false;
};

struct SyntheticGlyph {
    QString glyph;   // 字形; empty for a missing character
    QString code;    // 字碼 of a missing character, a private-use character of its face
    int face = 0;    // 字體: 0, or 1..8 for a missing character
    QString formula; // @構字式; empty for a root or symbol
    bool symbol = false;
    int depth = 0; // levels of composition: 0 for a root, 1 composed of roots, ...
    int strokes = 0;
    int radical = 0;
    int radicalStrokes = 0;
    bool frequent = false; // 常用字: a character of the first Big5 level
    bool simplified = false;
    bool dictionary = false;
    QList<int> roots; // the roots it is built of, as indexes into RegularScript::roots
};

struct RegularScript {
    QList<SyntheticGlyph> glyphs;    // in file order
    QList<SampleRoot> roots;         // table 字根, numbered from 1 in this order
    QList<int> rootGlyph;            // per root, its record in glyphs
    QList<QList<int>> variantGroups; // glyphs (indexes into glyphs), the head first
};

// Plans the regular script. Its roots are the sample roots in their order (those that are
// one BMP character outside the private-use area), then roots drawn from the CJK blocks,
// until shape.roots; the common components, the roots of the probe glyphs and every
// character of requiredRoots are among them whatever the size.
RegularScript PlanRegularScript(const SyntheticShape &shape, const QList<SampleRoot> &sampleRoots,
                                const QString &requiredRoots);

// Share of the composed glyphs (with a formula) built with at least one of the components.
double ShareOfComposedGlyphsWith(const RegularScript &script, const QString &components);
