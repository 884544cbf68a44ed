#include "bench/synthetic/syntheticprobes.h"
#include "bench/synthetic/syntheticset.h"
#include "data/generator/datagenerator.h"
#include "tests/vbprog/murvel/views/derivationscan.h"
#include "vbprog/murvel/core/databases.h"
#include "vbprog/murvel/core/formulasearch.h"
#include "vbprog/murvel/core/recordfields.h"
#include "vbprog/murvel/core/scripttables.h"
#include "vbprog/murvel/core/公用變數.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

// A small synthetic set, written, built by the generator and opened as the program opens it.
class SyntheticDatabases : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        folder = new QTemporaryDir;
        SyntheticShape shape;
        shape.regularGlyphs = 3000;
        shape.roots = 300;
        // More records per ancient script than regular glyphs with a character of their own,
        // so that the scripts hold forms of missing characters too.
        shape.ancientGlyphs = 1500;
        const QString sources = folder->filePath("sources");
        const QString error = WriteSyntheticSet(shape, MURVEL_SAMPLE_SOURCES, sources);
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        const QList<SourceError> errors = GenerateDatabases(sources, folder->filePath("program"));
        for (const SourceError &e : errors)
            ADD_FAILURE() << e.text().toStdString();
        OpenDatabases(folder->filePath("program"), report);
        OpenTables(report);
        LoadOperatorTable(report);
    }

    static void TearDownTestSuite()
    {
        CloseDatabases();
        delete folder;
    }

    static qint32 numberOf(const QString &glyph)
    {
        gRs檢字表 = gRs檢字表楷書;
        if (!gRs檢字表.setIndex("字形") || !gRs檢字表.seek(glyph))
            return -1;
        return Int32Field(gRs檢字表.value("編號")).value_or(-1);
    }

    static QTemporaryDir *folder;
    static OpenReport report;
};

QTemporaryDir *SyntheticDatabases::folder = nullptr;
OpenReport SyntheticDatabases::report;

TEST_F(SyntheticDatabases, OpenAsTheProgramOpensThem)
{
    EXPECT_TRUE(report.ok()) << report.errors.join('\n').toStdString();
    EXPECT_TRUE(report.warnings.isEmpty()) << report.warnings.join('\n').toStdString();
}

TEST_F(SyntheticDatabases, FindTheProbeGlyphByTheFormulaOfEachSearchLevel)
{
    const qint32 probe = numberOf(SyntheticProbes::ProbeGlyph);
    ASSERT_GT(probe, 0);
    for (int level = SyntheticProbes::FirstLevel; level <= SyntheticProbes::LastLevel; ++level) {
        QString similar;
        EXPECT_EQ(FindGlyphByFormula(SyntheticProbes::TypedFormulaForLevel(level), similar).number,
                  probe)
            << "level " << level;
    }
}

// The levels tell the probe apart only while its side form 亻 differs from 人 in its keys and
// no other record shares its loosest key; else a formula would be found a level early.
TEST_F(SyntheticDatabases, KeepTheProbeKeysApartLevelByLevel)
{
    const QString reserved = SyntheticProbes::ReservedRoot;
    gRs檢字表 = gRs檢字表楷書;
    ASSERT_TRUE(gRs檢字表.setIndex("字形") && gRs檢字表.seek(SyntheticProbes::ProbeGlyph));
    EXPECT_EQ(gRs檢字表.value("字根序").toString(), "亻" + reserved + "口");
    EXPECT_EQ(gRs檢字表.value("字根序二").toString(), "人" + reserved + "口");
    const QString looseKey = gRs檢字表.value("字根組二").toString();
    EXPECT_NE(gRs檢字表.value("字根組").toString(), looseKey);

    ASSERT_TRUE(gRs檢字表.setIndex("字根組二") && gRs檢字表.seek(looseKey));
    gRs檢字表.moveNext();
    EXPECT_TRUE(gRs檢字表.eof() || gRs檢字表.value("字根組二").toString() != looseKey);
}

TEST_F(SyntheticDatabases, LinkRegularGlyphsToEveryAncientScript)
{
    gRs檢字表 = gRs檢字表楷書;
    ASSERT_TRUE(gRs檢字表.setIndex("字形") && gRs檢字表.seek(QStringLiteral("口")));
    for (const char *field : {"小篆編號", "金文編號", "甲骨文編號", "楚系文字編號"})
        EXPECT_GT(Int32Field(gRs檢字表.value(field)).value_or(0), 0) << field;
}

// A form of a missing character is linked by the regular glyph's 編號, which the sources
// work out as the generator numbers the glyphs: a wrong number would link another glyph.
TEST_F(SyntheticDatabases, LinkFormsOfMissingCharactersToTheirRegularGlyphBothWays)
{
    jet::Table regular = gRs檢字表楷書;
    ASSERT_TRUE(regular.setIndex("編號"));
    const std::pair<jet::Table, const char *> scripts[] = {{gRs檢字表小篆, "小篆編號"},
                                                           {gRs檢字表金文, "金文編號"},
                                                           {gRs檢字表甲骨文, "甲骨文編號"},
                                                           {gRs檢字表楚系文字, "楚系文字編號"}};
    for (auto [ancient, crossNumber] : scripts) {
        int missing = 0;
        for (ancient.moveFirst(); !ancient.eof(); ancient.moveNext()) {
            if (ancient.value("字形").isValid())
                continue;
            ++missing;
            const qint32 number = Int32Field(ancient.value("編號")).value_or(0);
            ASSERT_TRUE(regular.seek(ancient.value("楷書編號"))) << crossNumber << number;
            EXPECT_FALSE(regular.value("字形").isValid()) << crossNumber << number;
            EXPECT_EQ(regular.value("部件序"), ancient.value("部件序")) << crossNumber << number;
            if (ancient.value("重複").toInt() == 0) {
                EXPECT_EQ(Int32Field(regular.value(crossNumber)), number) << crossNumber;
            }
        }
        EXPECT_GT(missing, 0) << crossNumber;
    }
}

// The derivation search of each script through the generator's character index.
class SyntheticDerivationIndex : public SyntheticDatabases,
                                 public testing::WithParamInterface<ScriptId>
{
};

TEST_P(SyntheticDerivationIndex, AnswersAsTheScanForEveryRoot)
{
    EXPECT_GT(ExpectDerivationsMatchTheScan(ScriptOf(GetParam()).code), 0);
}

INSTANTIATE_TEST_SUITE_P(Scripts, SyntheticDerivationIndex,
                         testing::Values(ScriptId::Regular, ScriptId::SmallSeal, ScriptId::Bronze,
                                         ScriptId::OracleBone, ScriptId::Chu));

} // namespace
