#include "comAddIn/porvex/lookupengine.h"
#include "scriptedpicker.h"
#include "tests/vbprog/murvel/core/fixturedatabases.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace porvex;

namespace
{

const QString LookupFixture = QStringLiteral(MURVEL_FIXTURE_DIR "/lookup");
const QString Beside = QStringLiteral("\uF6A4");
const QString Above = QStringLiteral("\uF6A3");
const QString Around = QStringLiteral("\uF6A5");
const QString Thrice = QStringLiteral("\uF6A8");
const QString FourTimes = QStringLiteral("\uF6AB");

class LookupEngineTest : public ::testing::Test
{
protected:
    void SetUp() override { startRun(LookupFixture); }

    void startRun(const QString &folder)
    {
        jet::Result<jet::Database> database =
            jet::Database::open(QDir(folder).filePath("murvel.mdb"));
        ASSERT_TRUE(database) << database.errorString().toStdString();
        ASSERT_TRUE(engine.startRun(database.value(), windows.path()))
            << engine.errorString().toStdString();
    }

    QStringList savedLog()
    {
        EXPECT_TRUE(engine.finishRun()) << engine.errorString().toStdString();
        QFile file(QDir(windows.path()).filePath("usrhanzi.txt"));
        return file.open(QIODevice::ReadOnly) ? MissingCharacterLog::parse(file.readAll())
                                              : QStringList();
    }

    QTemporaryDir windows;
    LookupEngine engine;
};

TEST_F(LookupEngineTest, AFormulaKeyHitWritesTheCodeAndGivesAnOrdinaryGlyphAsResultText)
{
    ScriptedPicker picker;
    const Lookup &found = engine.lookUp("日" + Beside + "月", picker);
    EXPECT_EQ(found.level, LookupLevel::Formula);
    EXPECT_EQ(found.chosen.code, "明");
    EXPECT_EQ(found.resultText, "明");
    const GlyphWrite write = found.writeFor("細明體");
    EXPECT_EQ(write.text, "明");
    EXPECT_FALSE(write.face);
    EXPECT_EQ(picker.asked, 0);
}

TEST_F(LookupEngineTest, AnEndUserGlyphTakesTheSetOfTheTextsFamilyOrItsScriptText)
{
    ScriptedPicker picker;
    const Lookup &found = engine.lookUp("女" + Above + "子", picker);
    EXPECT_EQ(found.level, LookupLevel::Formula);
    EXPECT_EQ(found.chosen.code, "\uE010");
    EXPECT_EQ(found.chosen.faceCode, 3);
    EXPECT_EQ(found.resultText, QString());
    EXPECT_EQ(found.writeFor("細明體").face, "細明體外字集三");
    EXPECT_EQ(found.writeFor("北師大說文小篆").text, "\uE811");
    EXPECT_EQ(found.writeFor("Ombrel金文").text, "\uE812");
    EXPECT_EQ(found.writeFor("Ombrel楚系文字").text, "\uE010");
}

TEST_F(LookupEngineTest, TheOrderKeySkipsSymbolsAndUnknownComponentsButRepeatsAnything)
{
    EXPECT_EQ(engine.componentOrderKey("口◎\uE0FF月"), "口月");
    EXPECT_EQ(engine.componentOrderKey(Thrice + "◎"), "◎◎◎");
    EXPECT_EQ(engine.componentOrderKey("亻明"), "人日月");
    EXPECT_EQ(engine.componentOrderKey("口" + Thrice), "口");
}

TEST_F(LookupEngineTest, TheSetKeyOrdersRootsByNumberWithUnknownRootsFirst)
{
    EXPECT_EQ(engine.componentSetKey("子月口羊"), "羊口月子");
    EXPECT_EQ(engine.componentSetKey(QString()), QString());
}

TEST_F(LookupEngineTest, ARootSequenceHitOffersEveryRecordOfTheKeyAndComposesThePick)
{
    ScriptedPicker picker(1);
    const Lookup &found = engine.lookUp("魚" + Around + "羊", picker);
    EXPECT_EQ(found.level, LookupLevel::ComponentOrder);
    EXPECT_EQ(found.orderKey, "魚羊");
    ASSERT_EQ(picker.offered.size(), 3);
    EXPECT_EQ(picker.lastFormula, "魚" + Around + "羊");
    EXPECT_EQ(picker.offered[0].glyph.code, "鮮");
    EXPECT_EQ(picker.offered[0].glyph.faceName, QString());
    EXPECT_EQ(picker.offered[1].glyph.faceName, "標楷體外字集二");
    EXPECT_EQ(found.chosen.code, "\uE002");
    EXPECT_EQ(found.chosen.faceCode, 2);
    EXPECT_EQ(found.kind, 2);
    EXPECT_EQ(found.components, "魚羊");
    EXPECT_EQ(found.resultText, "魚" + Above + "羊");
    EXPECT_EQ(found.writeFor("細明體").face, "細明體外字集二");
}

TEST_F(LookupEngineTest, ThePickCarriesItsOwnScriptTexts)
{
    ScriptedPicker picker(2);
    const Lookup &found = engine.lookUp("魚" + Around + "羊", picker);
    EXPECT_EQ(found.writeFor("Ombrel金文").text, "\uE823");
    EXPECT_EQ(found.resultText, QStringLiteral("\uF6AE魚羊\uF6AF"));
}

TEST_F(LookupEngineTest, ARootSetHitIsOfferedLikeARootSequenceHit)
{
    ScriptedPicker picker(0);
    const Lookup &found = engine.lookUp("羊" + Beside + "魚", picker);
    EXPECT_EQ(found.level, LookupLevel::ComponentSet);
    EXPECT_EQ(found.setKey, "羊魚");
    EXPECT_EQ(picker.offered.size(), 3);
    EXPECT_EQ(found.chosen.code, "鮮");
    EXPECT_EQ(found.resultText, "鮮");
}

TEST_F(LookupEngineTest, NoMoreThanEightCandidatesAreCollected)
{
    ScriptedPicker picker(7);
    const Lookup &found = engine.lookUp("木" + Around + "木", picker);
    ASSERT_EQ(picker.offered.size(), CandidatePicker::MaxCandidates);
    EXPECT_EQ(picker.offered[0].glyph.code, "林");
    EXPECT_EQ(found.chosen.code, "\uE036");
}

TEST_F(LookupEngineTest, ARootSetOfMoreThanThirtyOneRootsSortsEveryRoot)
{
    ScriptedPicker picker(0);
    const Lookup &found = engine.lookUp(
        FourTimes + "林" + Beside + FourTimes + "品" + Beside + FourTimes + "品", picker);
    EXPECT_EQ(found.orderKey.size(), 32);
    EXPECT_EQ(found.level, LookupLevel::ComponentSet);
    EXPECT_EQ(found.chosen.code, "\uE021");
}

TEST_F(LookupEngineTest, ClosingTheChooserWritesNothingAndLogsNothing)
{
    ScriptedPicker picker(CandidatePicker::NoChoice);
    const Lookup &found = engine.lookUp("魚" + Around + "羊", picker);
    EXPECT_FALSE(found.writeFor("標楷體").writes());
    EXPECT_TRUE(found.resultText.isEmpty());
    EXPECT_FALSE(engine.log().isChanged());
}

TEST_F(LookupEngineTest, NoneOfTheseLogsTheFormulaWhichIsNotOfferedAgain)
{
    ScriptedPicker rejecting(CandidatePicker::NoneOfThese);
    const QString formula = "魚" + Around + "羊";
    EXPECT_FALSE(engine.lookUp(formula, rejecting).writeFor("標楷體").writes());
    EXPECT_EQ(engine.log().entries(), QStringList({formula}));

    ScriptedPicker picking(0);
    const Lookup &again = engine.lookUp(formula, picking);
    EXPECT_EQ(again.level, LookupLevel::Logged);
    EXPECT_EQ(picking.asked, 0);
    EXPECT_FALSE(again.writeFor("標楷體").writes());
    EXPECT_EQ(savedLog(), QStringList({formula}));
}

TEST_F(LookupEngineTest, AMissingFormulaIsLoggedOnceAndLeftInPlace)
{
    QFile earlier(QDir(windows.path()).filePath("usrhanzi.txt"));
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write(MissingCharacterLog::format({"earlier"}));
    earlier.close();

    ScriptedPicker picker;
    const QString missing = "子" + Beside + "女" + Beside + "魚";
    const Lookup &found = engine.lookUp(missing, picker);
    EXPECT_EQ(found.level, LookupLevel::Missing);
    EXPECT_FALSE(found.writeFor("標楷體").writes());
    engine.lookUp(missing, picker);
    engine.lookUp("earlier", picker);
    EXPECT_EQ(picker.asked, 0);
    EXPECT_EQ(savedLog(), QStringList({"earlier", missing}));
}

TEST_F(LookupEngineTest, ALogThatIsNotCp950IsReportedAndKeptAsItWas)
{
    const QByteArray utf8 = QStringLiteral("\"日⿰月\"\r\n").toUtf8();
    QFile log(QDir(windows.path()).filePath("usrhanzi.txt"));
    ASSERT_TRUE(log.open(QIODevice::WriteOnly));
    log.write(utf8);
    log.close();

    ScriptedPicker picker;
    const Lookup &found = engine.lookUp("子" + Beside + "女" + Beside + "魚", picker);
    EXPECT_EQ(found.level, LookupLevel::Missing);
    EXPECT_TRUE(found.message.contains("Big5"));
    EXPECT_FALSE(engine.finishRun());
    EXPECT_TRUE(engine.errorString().contains("usrhanzi.txt"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll(), utf8);
}

TEST_F(LookupEngineTest, AFormulaTheLogCannotHoldIsReportedInsteadOfLogged)
{
    ScriptedPicker picker;
    const Lookup &found = engine.lookUp("\"" + Beside + "\uE0FF", picker);
    EXPECT_EQ(found.level, LookupLevel::Missing);
    EXPECT_FALSE(found.message.isEmpty());
    EXPECT_FALSE(engine.log().isChanged());
}

TEST_F(LookupEngineTest, AnEmptyRootKeyIsNeverSought)
{
    FixtureCopy copy(LookupFixture);
    copy.execute("murvel", "UPDATE 檢字表 SET 字根序二 = '', 字根組二 = '' WHERE 字形 = '明'");
    startRun(copy.folder());
    ScriptedPicker picker(0);
    const Lookup &found = engine.lookUp("\uE0FF" + Beside + "\uE0FE", picker);
    EXPECT_EQ(found.orderKey, QString());
    EXPECT_EQ(found.level, LookupLevel::Missing);
    EXPECT_EQ(picker.asked, 0);
}

TEST_F(LookupEngineTest, ANullFaceCodeCountsAsZero)
{
    FixtureCopy copy(LookupFixture);
    copy.execute("murvel", "UPDATE 檢字表 SET 字體 = NULL WHERE 字碼 = '鮮'");
    startRun(copy.folder());
    ScriptedPicker picker(0);
    const Lookup &found = engine.lookUp("魚" + Around + "羊", picker);
    EXPECT_EQ(picker.offered[0].glyph.faceCode, 0);
    EXPECT_EQ(found.chosen.code, "鮮");
    EXPECT_FALSE(found.writeFor("標楷體").face);
}

TEST_F(LookupEngineTest, ARunWithoutItsTablesFailsEveryFormulaWithoutLoggingIt)
{
    jet::Database closed;
    EXPECT_FALSE(engine.startRun(closed, windows.path()));
    EXPECT_FALSE(engine.errorString().isEmpty());
    ScriptedPicker picker;
    const Lookup &found = engine.lookUp("日" + Beside + "月", picker);
    EXPECT_EQ(found.level, LookupLevel::Failed);
    EXPECT_FALSE(found.message.isEmpty());
    EXPECT_FALSE(engine.log().isChanged());
}

} // namespace
