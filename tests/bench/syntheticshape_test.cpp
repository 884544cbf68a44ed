#include "bench/synthetic/codepoints.h"
#include "bench/synthetic/syntheticset.h"
#include "vbprog/murvel/core/formula.h"

#include <QMap>
#include <QSet>
#include <gtest/gtest.h>

namespace
{

// Small enough to plan in a moment, large enough for every feature of the shape.
SyntheticShape smallShape(quint64 seed = 7)
{
    SyntheticShape shape;
    shape.seed = seed;
    shape.regularGlyphs = 6000;
    shape.roots = 400;
    shape.ancientGlyphs = 1500;
    return shape;
}

const SampleSources &sample()
{
    static const SampleSources sources = [] {
        SampleSources read;
        const QString error = ReadSampleSources(MURVEL_SAMPLE_SOURCES, read);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        return read;
    }();
    return sources;
}

QStringList formulasOf(const SyntheticSet &set)
{
    QStringList formulas;
    for (const SyntheticGlyph &glyph : set.regular.glyphs)
        formulas << glyph.glyph + glyph.code + glyph.formula;
    return formulas;
}

TEST(SyntheticPlan, IsTheSameForASeedAndDiffersBetweenSeeds)
{
    const QStringList first = formulasOf(PlanSyntheticSet(smallShape(7), sample()));
    EXPECT_EQ(first, formulasOf(PlanSyntheticSet(smallShape(7), sample())));
    EXPECT_NE(first, formulasOf(PlanSyntheticSet(smallShape(8), sample())));
}

// The ancient scripts are full also when they outnumber the regular glyphs that have a
// character of their own (as at a million glyphs, past the CJK blocks): forms of missing
// characters make up the rest.
TEST(SyntheticPlan, HasTheSizesOfItsShape)
{
    SyntheticShape beyondCharacters = smallShape();
    beyondCharacters.ancientGlyphs = 4000;
    for (const SyntheticShape &shape : {smallShape(), beyondCharacters}) {
        const SyntheticSet set = PlanSyntheticSet(shape, sample());
        const auto symbols = std::count_if(set.regular.glyphs.begin(), set.regular.glyphs.end(),
                                           [](const SyntheticGlyph &g) { return g.symbol; });
        EXPECT_EQ(symbols, SymbolCount);
        EXPECT_EQ(set.regular.glyphs.size() - symbols, shape.regularGlyphs);
        EXPECT_EQ(set.regular.roots.size(), shape.roots);
        ASSERT_EQ(set.ancient.size(), 4);
        for (const AncientScript &script : set.ancient)
            EXPECT_EQ(script.records.size(), shape.ancientGlyphs)
                << script.def.database.toStdString() << " of " << shape.ancientGlyphs;
    }
}

// Every regular glyph has at most one first form in a script, and a form of a missing
// character is drawn at a private-use code of the script's face, like a further form.
TEST(SyntheticPlan, GivesFormsOfMissingCharactersCodesOfTheScriptFace)
{
    SyntheticShape shape = smallShape();
    shape.ancientGlyphs = 4000;
    const SyntheticSet set = PlanSyntheticSet(shape, sample());
    for (const AncientScript &script : set.ancient) {
        QSet<int> linked;
        qsizetype missing = 0;
        for (const AncientRecord &record : script.records) {
            if (record.repeated)
                continue;
            EXPECT_FALSE(linked.contains(record.regular)) << record.regular;
            linked.insert(record.regular);
            const SyntheticGlyph &regular = set.regular.glyphs[record.regular];
            EXPECT_EQ(record.glyph, regular.glyph);
            if (!record.glyph.isEmpty())
                continue;
            ++missing;
            EXPECT_EQ(record.face, script.def.face);
            ASSERT_EQ(record.code.size(), 1);
            EXPECT_TRUE(IsPrivateUse(record.code[0]) && !IsOperatorSymbol(record.code[0]));
            EXPECT_EQ(record.formula, regular.formula);
        }
        EXPECT_GT(missing, 1000) << script.def.database.toStdString();
    }
}

TEST(SyntheticPlan, UsesEveryFormulaKindAndThreeLevels)
{
    const SyntheticSet set = PlanSyntheticSet(smallShape(), sample());
    QSet<int> kinds;
    QMap<int, int> glyphsByDepth;
    for (const SyntheticGlyph &glyph : set.regular.glyphs) {
        if (!glyph.formula.isEmpty())
            kinds.insert(FormulaKeyOf(glyph.formula).kind);
        if (!glyph.symbol)
            ++glyphsByDepth[glyph.depth];
    }
    EXPECT_EQ(kinds, (QSet<int>{1, 2, 3, FormulaKinds::Bracketed, FormulaKinds::Other}));
    // Roots, then compositions one, two and three levels deep, and none deeper.
    EXPECT_EQ(glyphsByDepth.keys(), (QList<int>{0, 1, 2, 3}));
    EXPECT_GT(glyphsByDepth.value(3), 50);
}

TEST(SyntheticPlan, NamesEachGlyphOnceByOneBmpCharacter)
{
    const SyntheticSet set = PlanSyntheticSet(smallShape(), sample());
    QSet<QString> glyphs;
    qsizetype missing = 0;
    for (const SyntheticGlyph &glyph : set.regular.glyphs) {
        if (glyph.glyph.isEmpty()) {
            // A missing character is drawn by an end-user-defined face at a private-use code.
            ++missing;
            ASSERT_EQ(glyph.code.size(), 1);
            EXPECT_TRUE(IsPrivateUse(glyph.code[0]) && !IsOperatorSymbol(glyph.code[0]));
            EXPECT_TRUE(glyph.face >= 1 && glyph.face <= 8) << glyph.face;
            continue;
        }
        ASSERT_EQ(glyph.glyph.size(), 1);
        EXPECT_FALSE(glyph.glyph[0].isSurrogate());
        EXPECT_FALSE(glyphs.contains(glyph.glyph)) << glyph.glyph.toStdString();
        glyphs.insert(glyph.glyph);
    }
    EXPECT_GT(missing, 0);
}

TEST(SyntheticPlan, BuildsAFifthOfTheComposedGlyphsWithTheCommonComponents)
{
    SyntheticShape shape = smallShape();
    shape.roots = 1500;
    shape.regularGlyphs = 20000;
    const SyntheticSet set = PlanSyntheticSet(shape, sample());
    const double share = ShareOfComposedGlyphsWith(set.regular, CommonComponents);
    EXPECT_GT(share, 0.16);
    EXPECT_LT(share, 0.24);
    // 口 alone is in fewer; a rare root in far fewer still.
    EXPECT_LT(ShareOfComposedGlyphsWith(set.regular, QStringLiteral("口")), share / 2);
    EXPECT_GT(ShareOfComposedGlyphsWith(set.regular, QStringLiteral("口")), 0.02);
}

TEST(SyntheticPlan, GroupsVariantsOfTheSameComponents)
{
    const SyntheticSet set = PlanSyntheticSet(smallShape(), sample());
    ASSERT_FALSE(set.regular.variantGroups.isEmpty());
    for (const QList<int> &group : set.regular.variantGroups) {
        ASSERT_GE(group.size(), 2);
        const SyntheticGlyph &head = set.regular.glyphs[group[0]];
        for (int member : group) {
            const SyntheticGlyph &variant = set.regular.glyphs[member];
            EXPECT_FALSE(variant.glyph.isEmpty());
            QList<int> headRoots = head.roots, variantRoots = variant.roots;
            std::sort(headRoots.begin(), headRoots.end());
            std::sort(variantRoots.begin(), variantRoots.end());
            EXPECT_EQ(headRoots, variantRoots) << variant.formula.toStdString();
        }
    }
}

TEST(SyntheticPlan, GivesAncientScriptsFurtherFormsInGroups)
{
    const SyntheticSet set = PlanSyntheticSet(smallShape(), sample());
    for (const AncientScript &script : set.ancient) {
        ASSERT_FALSE(script.variantGroups.isEmpty()) << script.def.database.toStdString();
        for (const QList<int> &group : script.variantGroups) {
            const AncientRecord &first = script.records[group[0]];
            const AncientRecord &further = script.records[group[1]];
            EXPECT_FALSE(first.repeated);
            EXPECT_TRUE(further.repeated);
            EXPECT_EQ(first.glyph, further.glyph);
            EXPECT_EQ(further.face, script.def.variantFace);
            ASSERT_EQ(further.code.size(), 1);
            EXPECT_TRUE(IsPrivateUse(further.code[0]));
        }
    }
}

} // namespace
