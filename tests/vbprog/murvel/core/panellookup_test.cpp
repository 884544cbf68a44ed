#include "tests/vbprog/murvel/core/fixturedatabases.h"
#include "vbprog/murvel/core/formula.h"
#include "vbprog/murvel/core/panellookup.h"
#include "vbprog/murvel/core/scripttables.h"

#include <gtest/gtest.h>

namespace
{

using Kind = LookupOutcome::Kind;

const QString Side = OperatorSymbol(OperatorCodes::Beside);
const QString MissStatus = QStringLiteral("0 個字根");

class PanelLookupTest : public FixtureTest
{
protected:
    void SetUp() override
    {
        OpenFixture(BasicFixture);
        gCurrentScript = ScriptCodes::Regular;
    }
    void TearDown() override
    {
        gCurrentScript = ScriptCodes::Regular;
        FixtureTest::TearDown();
    }

    PanelLookup lookup;
};

TEST_F(PanelLookupTest, GlyphNumberAndFormulaLandOnTheSameRegularRecord)
{
    const qint32 ming = RegularNumber("明");
    ASSERT_GT(ming, 0);
    for (const LookupOutcome &outcome :
         {lookup.byGlyph("明"), lookup.byNumber(QString::number(ming) + ".4"),
          lookup.byFormula("日" + Side + "月")}) {
        EXPECT_EQ(outcome.kind, Kind::Hit);
        EXPECT_EQ(outcome.number, ming);
        EXPECT_EQ(outcome.viewGlyph.face, "標楷體");
        EXPECT_EQ(outcome.viewGlyph.number, ming);
        EXPECT_FALSE(outcome.glyphBoxText);
        EXPECT_EQ(gRs檢字表.value("字形").toString(), "明");
    }
}

TEST_F(PanelLookupTest, NothingToSeekIsIgnoredAndEverythingElseThatFindsNoRecordMisses)
{
    EXPECT_EQ(lookup.byGlyph("   ").kind, Kind::Ignored);
    EXPECT_EQ(lookup.byFormula("").kind, Kind::Ignored);
    EXPECT_EQ(lookup.byNumber("abc").kind, Kind::Ignored);

    // A blank before the glyph is sought as typed; numbers below 1 and beyond 32 bits
    // have no record.
    for (const LookupOutcome &outcome :
         {lookup.byGlyph(" 明"), lookup.byGlyph("龘"), lookup.byNumber("0"), lookup.byNumber("-5"),
          lookup.byNumber("99999999999")}) {
        EXPECT_EQ(outcome.kind, Kind::Miss);
        EXPECT_EQ(outcome.status, MissStatus);
    }
}

TEST_F(PanelLookupTest, AFormulaSearchsNearMatchesNeverShowAfterAnotherLookupsMiss)
{
    CloseDatabases();
    OpenFixture(SearchFixture);
    // Found by its roots, with records of the same components as near matches.
    ASSERT_EQ(lookup.byFormula("魚羊").kind, Kind::Hit);

    EXPECT_EQ(lookup.byGlyph("龘").status, MissStatus);
    ASSERT_EQ(lookup.byFormula("魚羊").kind, Kind::Hit);
    EXPECT_EQ(lookup.byNumber("0").status, MissStatus);
}

TEST_F(PanelLookupTest, ATooShortFormulaPutsItsKeyIntoTheGlyphBoxAndMisses)
{
    const LookupOutcome outcome = lookup.byFormula(Side + "木" + Side);
    EXPECT_EQ(outcome.kind, Kind::Miss);
    ASSERT_TRUE(outcome.glyphBoxText);
    EXPECT_FALSE(outcome.glyphBoxText->isEmpty());
}

TEST_F(PanelLookupTest, TheViewsGetTheChosenScriptsFormWhenTheGlyphHasOne)
{
    gCurrentScript = ScriptCodes::Bronze;
    const LookupOutcome bronze = lookup.byGlyph("明"); // bronze form number 1
    EXPECT_EQ(bronze.number, RegularNumber("明"));
    EXPECT_EQ(bronze.viewGlyph.face, "Ombrel金文");
    EXPECT_EQ(bronze.viewGlyph.number, 1);

    const LookupOutcome regular = lookup.byGlyph("好"); // no bronze form
    EXPECT_EQ(regular.viewGlyph.face, "標楷體");
    EXPECT_EQ(regular.viewGlyph.number, RegularNumber("好"));
}

} // namespace
