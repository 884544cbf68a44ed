#include "tests/vbprog/murvel/core/fixturedatabases.h"
#include "vbprog/murvel/core/formula.h"
#include "vbprog/murvel/core/glyphattributes.h"

#include <gtest/gtest.h>
#include <ranges>

namespace
{

const QString Side = OperatorSymbol(OperatorCodes::Beside);
const QString Twice = OperatorSymbol(OperatorCodes::Twice);
const QString MissingGlyph(QChar(0xE000)); // 字碼 of the missing character, 字體 1

// The texts of every box, by name.
QStringList boxTexts(const GlyphPanel &panel)
{
    QStringList texts;
    for (const GlyphPanel::Box &box : GlyphPanel::Boxes)
        texts << box.name + "=" + panel.text(box.name);
    return texts;
}

class GlyphPanelTest : public FixtureTest
{
protected:
    void SetUp() override { OpenFixture(BasicFixture); }

    // What a lookup does on a hit: both procedures, the second with the glyph box's text.
    void show(const QString &face, qint32 key)
    {
        ShowGlyphAttributes(panel, face, key);
        ShowGlyphFormula(panel, face, panel.text("txt字形"), key);
    }

    GlyphPanel panel;
};

TEST_F(GlyphPanelTest, ARegularGlyphFillsEveryBox)
{
    const qint32 number = RegularNumber("明");
    show("標楷體", number);
    const QStringList expected = {
        "txt編號=" + QString::number(number),
        "txt外字集=0",
        "txt字形=明",
        "txt總筆畫=8",
        "txt部首=日",
        "txt扣除部首筆畫=4",
        "txt注音=ㄇㄧㄥˊ",
        "txt內碼=A9FA",
        "txt倉頡碼=日月",
        "txt構字式=日" + Side + "月",
        "txt冊數=2-1509-03",
        "txt組字字數=0",
        "txt組字字數含異寫=0",
    };
    EXPECT_EQ(boxTexts(panel), expected);
    EXPECT_EQ(panel.glyphFace(), "標楷體");
    EXPECT_EQ(gCurrentGlyphNumber, number);
    EXPECT_EQ(gDragText, "日月");

    // A root shows its counts of compositions, with and without variant roots.
    show("標楷體", RegularNumber("人"));
    EXPECT_EQ(panel.text("txt組字字數"), "0");
    EXPECT_EQ(panel.text("txt組字字數含異寫"), "1");
    EXPECT_EQ(panel.text("txt構字式"), "人");
}

TEST_F(GlyphPanelTest, AnAncientScriptKeyShowsTheRegularGlyphItLinksTo)
{
    const struct {
        QString face;
        QString regular;
    } cases[] = {
        {"北師大說文小篆", "木"}, {"北師大說文重文", "木"}, {"Ombrel金文", "明"},
        {"Ombrel甲骨文", "人"},   {"Ombrel楚系文字", "女"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.face.toStdString());
        ShowGlyphAttributes(panel, c.face, 1);
        // The glyph handed on is the ancient one; the formula comes from the regular record.
        ShowGlyphFormula(panel, c.face, QString(QChar(0xE100)), 1);
        EXPECT_EQ(panel.text("txt字形"), c.regular);
        EXPECT_EQ(panel.text("txt編號"), QString::number(RegularNumber(c.regular)));
        EXPECT_EQ(gCurrentGlyphNumber, RegularNumber(c.regular));
        EXPECT_EQ(panel.glyphFace(), "標楷體");
    }
    EXPECT_EQ(panel.text("txt構字式"), "女");

    // Any other face names the regular script.
    show("zodi", RegularNumber("明"));
    EXPECT_EQ(panel.text("txt字形"), "明");
    EXPECT_EQ(panel.text("txt構字式"), "日" + Side + "月");
}

TEST_F(GlyphPanelTest, AKeyWithoutARecordClearsThePanelButItsFirstTwoBoxes)
{
    const qint32 number = RegularNumber("明");
    for (const auto &[face, key] : {std::pair<QString, qint32>{"標楷體", 99999},
                                    std::pair<QString, qint32>{"北師大說文小篆", 99}}) {
        SCOPED_TRACE(face.toStdString());
        show("標楷體", number);
        gDragText = "kept";
        show(face, key);
        for (const QString &box :
             GlyphPanel::Boxes | std::views::transform(&GlyphPanel::Box::name)) {
            const QString expected = box == "txt編號"     ? QString::number(number)
                                     : box == "txt外字集" ? QString("0")
                                                          : QString();
            EXPECT_EQ(panel.text(box), expected) << box.toStdString();
        }
        EXPECT_EQ(gCurrentGlyphNumber, NoGlyphNumber);
        EXPECT_EQ(gDragText, "kept");
    }
}

TEST_F(GlyphPanelTest, AKeyBelowZeroChangesNothing)
{
    show("標楷體", RegularNumber("明"));
    const QStringList before = boxTexts(panel);
    show("標楷體", -1);
    EXPECT_EQ(boxTexts(panel), before);
    EXPECT_EQ(gCurrentGlyphNumber, RegularNumber("明"));
}

TEST_F(GlyphPanelTest, AMissingCharacterShowsItsCodeInItsTypeface)
{
    const qint32 number = RegularNumber(MissingGlyph);
    show("標楷體", number);
    EXPECT_EQ(panel.text("txt字形"), MissingGlyph);
    EXPECT_EQ(panel.glyphFace(), "標楷體外字集一");
    EXPECT_EQ(panel.text("txt外字集"), "1");
    EXPECT_EQ(panel.text("txt總筆畫"), "");
    EXPECT_EQ(panel.text("txt構字式"), "月" + Side + "木");
}

TEST_F(GlyphPanelTest, TheFormulaOfAPrefixOperatorAndOneComponentIsFoundByItsFormula)
{
    // The key names 明, but the glyph text is 林's formula.
    ShowGlyphFormula(panel, "標楷體", Twice + "木", RegularNumber("明"));
    EXPECT_EQ(panel.text("txt構字式"), Twice + "木");
    EXPECT_EQ(gDragText, Twice + "木");

    // Key 0: found by the glyph text.
    ShowGlyphFormula(panel, "標楷體", "好", 0);
    EXPECT_EQ(panel.text("txt構字式"), "女" + Side + "子");
}

TEST_F(GlyphPanelTest, ClearingKeepsTheNumberAndTheTypefaceSet)
{
    show("標楷體", RegularNumber(MissingGlyph));
    ClearGlyphPanel(panel);
    EXPECT_EQ(panel.text("txt編號"), QString::number(RegularNumber(MissingGlyph)));
    EXPECT_EQ(panel.text("txt外字集"), "1");
    EXPECT_EQ(panel.text("txt字形"), "");
    EXPECT_EQ(panel.text("txt構字式"), "");
    EXPECT_EQ(gCurrentGlyphNumber, NoGlyphNumber);
}

class EditedPanelDataTest : public FixtureTest
{
protected:
    FixtureCopy copy{BasicFixture};
    GlyphPanel panel;
};

TEST_F(EditedPanelDataTest, TheGlyphTypefaceFallsBackToTheDefaultFace)
{
    copy.execute("murvel", "UPDATE 檢字表 SET 字體 = 99 WHERE 字形 = '好'");
    copy.execute("murvel", "UPDATE 檢字表 SET 字體 = 19 WHERE 字形 = '休'"); // no name
    copy.execute("murvel", "UPDATE 檢字表 SET 字體 = NULL WHERE 字形 = '明'");
    copy.execute("murvel", "UPDATE 檢字表 SET 字體 = 3 WHERE 字形 = '林'");
    OpenFixture(copy.folder());
    gDefaultFace = "標楷體";

    ShowGlyphAttributes(panel, "標楷體", RegularNumber("林"));
    EXPECT_EQ(panel.glyphFace(), "標楷體外字集三");
    for (const QString glyph : {"好", "休", "明"}) {
        ShowGlyphAttributes(panel, "標楷體", RegularNumber(glyph));
        EXPECT_EQ(panel.glyphFace(), "標楷體") << glyph.toStdString();
    }
    // A Null 字體 leaves txt外字集 as it was.
    EXPECT_EQ(panel.text("txt外字集"), "19");
}

TEST_F(EditedPanelDataTest, AGlyphWithoutTextOrCodeShowsABlackCircle)
{
    copy.execute("murvel",
                 QString("UPDATE 檢字表 SET 字碼 = NULL WHERE 字碼 = '%1'").arg(MissingGlyph));
    OpenFixture(copy.folder());
    ShowGlyphAttributes(panel, "標楷體", 13062);
    EXPECT_EQ(panel.text("txt字形"), "●");
    EXPECT_EQ(gCurrentGlyphNumber, 13062);
}

TEST_F(EditedPanelDataTest, AnAncientRecordLinkedToNoRegularGlyphClearsThePanel)
{
    copy.execute("qelseal", "UPDATE 檢字表 SET 楷書編號 = NULL");
    OpenFixture(copy.folder());
    ShowGlyphAttributes(panel, "標楷體", RegularNumber("明"));
    ShowGlyphAttributes(panel, "北師大說文小篆", 1);
    ShowGlyphFormula(panel, "北師大說文小篆", QString(QChar(0xE100)), 1);
    EXPECT_EQ(panel.text("txt字形"), "");
    EXPECT_EQ(panel.text("txt構字式"), "");
    EXPECT_EQ(gCurrentGlyphNumber, NoGlyphNumber);
}

TEST_F(EditedPanelDataTest, ARadicalNumberBeyondSixteenBitsIsNotNarrowed)
{
    // 65608 is 72 (日) plus 65536: narrowed to 16 bits it would name 日.
    copy.execute("murvel", "UPDATE 檢字表 SET 部首 = 65608 WHERE 字形 = '明'");
    OpenFixture(copy.folder());
    ShowGlyphAttributes(panel, "標楷體", RegularNumber("明"));
    EXPECT_EQ(panel.text("txt部首"), "");
    EXPECT_EQ(panel.text("txt字形"), "明");
}

} // namespace
