#include "platform/fonts/componenttypeface.h"
#include "platform/fonts/typefacetable.h"
#include "tests/support/inkprofile.h"
#include "tests/vbprog/murvel/mainwindow/mainwindowfixture.h"
#include "vbprog/murvel/core/databases.h"
#include "vbprog/murvel/core/formula.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QRawFont>
#include <QTest>
#include <QTextLayout>

namespace
{

const QString Side = OperatorSymbol(OperatorCodes::Beside);

// The main window restored with the structure and evolution views open, so that the
// broadcast can be seen.
class GlyphLookupTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        writeIni(RestoredIni("[字形結構]\nopen=1\n[字形演變]\nopen=1\n"));
        ASSERT_TRUE(start());
        log.events.clear();
        QGuiApplication::clipboard()->setText("untouched");
    }

    QLineEdit *box(const QString &name) const { return window->box(name); }
    QString text(const QString &name) const { return box(name)->text(); }
    QString status() const { return window->statusBox()->text(); }

    // Text typed into a panel box, then Enter.
    void enter(const QString &name, const QString &typed) const
    {
        QLineEdit *target = box(name);
        target->setFocus();
        target->setText(typed);
        QTest::keyClick(target, Qt::Key_Return);
    }

    // The regular 編號 of a glyph, as the panel shows it after a hit.
    qint32 numberOf(const QString &glyph)
    {
        enter("txt字形", glyph);
        return text("txt編號").toInt();
    }
};

TEST_F(GlyphLookupTest, AGlyphFillsThePanelAndReachesTheOpenViewsInOrder)
{
    enter("txt字形", "明");
    const QString number = text("txt編號");
    EXPECT_GT(number.toInt(), 0);
    EXPECT_EQ(text("txt字形"), "明");
    EXPECT_EQ(text("txt構字式"), "日" + Side + "月");
    EXPECT_EQ(gCurrentGlyphNumber, number.toInt());
    EXPECT_EQ(log.events,
              QStringList({"glyph 12 標楷體 明 " + number, "glyph 15 標楷體 明 " + number}));
}

TEST_F(GlyphLookupTest, BlankInputDoesNothingAndABlankBeforeTheGlyphMisses)
{
    enter("txt字形", "明");
    log.events.clear();
    enter("txt字形", "   ");
    EXPECT_EQ(text("txt構字式"), "日" + Side + "月");
    EXPECT_TRUE(status().isEmpty());

    enter("txt字形", " 明");
    EXPECT_EQ(status(), "0 個字根");
    EXPECT_TRUE(text("txt字形").isEmpty());
    EXPECT_TRUE(text("txt總筆畫").isEmpty());
    // The formula and number of the last glyph stay; the views are not told.
    EXPECT_EQ(text("txt構字式"), "日" + Side + "月");
    EXPECT_FALSE(text("txt編號").isEmpty());
    EXPECT_TRUE(log.events.isEmpty());
}

TEST_F(GlyphLookupTest, NumbersAreRoundedAndOnlyNumbersAreLookedUp)
{
    const qint32 ming = numberOf("明");
    enter("txt字形", "好");
    log.events.clear();

    enter("txt編號", "abc");
    EXPECT_EQ(text("txt字形"), "好");
    EXPECT_TRUE(status().isEmpty());

    enter("txt編號", QString::number(ming) + ".4");
    EXPECT_EQ(text("txt字形"), "明");
    EXPECT_EQ(log.events.size(), 2);

    for (const QString &miss : QStringList{"0", "-5", "99999999999", "9999999"}) {
        window->statusBox()->clear();
        enter("txt編號", miss);
        EXPECT_EQ(status(), "0 個字根") << miss.toStdString();
        EXPECT_EQ(text("txt編號"), miss); // the typed number stays visible
    }
}

TEST_F(GlyphLookupTest, AFormulaFindsItsGlyph)
{
    enter("txt構字式", "日" + Side + "月");
    EXPECT_EQ(text("txt字形"), "明");
    EXPECT_EQ(log.events.size(), 2);
}

TEST_F(GlyphLookupTest, ATooShortFormulaShowsItsKeyAndMisses)
{
    enter("txt構字式", Side + "木" + Side);
    EXPECT_EQ(status(), "0 個字根");
    EXPECT_EQ(text("txt構字式"), Side + "木" + Side);
    EXPECT_TRUE(log.events.isEmpty());
}

TEST_F(GlyphLookupTest, TheScriptChosenSendsTheAncientFormWhenThereIsOne)
{
    click("mnu_金文");
    enter("txt字形", "明"); // has a bronze form, number 1
    EXPECT_EQ(log.events.first(), "glyph 12 Ombrel金文 明 1");
    log.events.clear();

    const QString number = QString::number(numberOf("好")); // no bronze form
    EXPECT_EQ(log.events.first(), "glyph 12 標楷體 好 " + number);
}

TEST_F(GlyphLookupTest, AnEarlierSearchsNearMatchesNeverShowAfterAnotherMiss)
{
    enter("txt構字式", "口" + Side + "木"); // 呆 and 困 share the components: near matches
    window->statusBox()->clear();
    enter("txt字形", "龘");
    EXPECT_EQ(status(), "0 個字根");
}

TEST_F(GlyphLookupTest, TheAutomaticCopyTakesTheGlyphOrTheFormulaOfAMissingCharacter)
{
    click("mnu_複製到剪貼簿");
    ASSERT_TRUE(checked("mnu_複製到剪貼簿"));
    enter("txt字形", "明");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "明");

    // 月 beside 木 is a missing character of a typeface of its own: its formula is copied.
    enter("txt構字式", "月" + Side + "木");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "月" + Side + "木");
}

TEST_F(GlyphLookupTest, WithoutTheOptionTheClipboardIsNeverTouched)
{
    ASSERT_FALSE(checked("mnu_複製到剪貼簿"));
    enter("txt字形", "明");
    enter("txt構字式", "月" + Side + "木");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "untouched");
}

// The typeface family that draws the character at a position of a box's text, as the box
// lays it out (font fallback included).
QString familyDrawing(const QLineEdit &box, int position)
{
    QTextLayout layout(box.text(), box.font());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns(position, 1);
    return runs.isEmpty() ? QString() : runs.first().rawFont().familyName();
}

const QString KaiComponents = fonts::componentFamily(fonts::TypefaceStyle::Kai);

// Renders the main window after a formula lookup (the picture is left in the temporary
// folder) and checks that the formula's operator is drawn by the component typeface.
TEST_F(GlyphLookupTest, TheFormulaBoxDrawsTheOperatorFromTheComponentTypeface)
{
    window->resize(900, 600);
    window->show();
    enter("txt構字式", "日" + Side + "月");
    QLineEdit *formula = box("txt構字式");
    ASSERT_EQ(formula->text(), "日" + Side + "月");

    const QImage screenshot = window->grab().toImage();
    ASSERT_FALSE(screenshot.isNull());
    EXPECT_TRUE(screenshot.save(QDir::temp().filePath("murvel-mainwindow-formula.png")));

    EXPECT_EQ(familyDrawing(*formula, 1), KaiComponents);
    EXPECT_EQ(familyDrawing(*formula, 0), fonts::installedFamiliesFor("標楷體").first());
}

// The main window on the sample databases, whose missing characters the program folder's
// composed typefaces draw.
class SampleGlyphLookupTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        const QDir sample(QStringLiteral(MURVEL_PROGRAM_DIR));
        for (const QString &file : ScriptDatabaseFiles) {
            const QString copy = QDir(folder.path()).filePath(file);
            ASSERT_TRUE(QFile::remove(copy));
            ASSERT_TRUE(QFile::copy(sample.filePath(file), copy));
        }
        writeIni(RestoredIni()); // base typeface 細明體
        ASSERT_TRUE(start());
    }
};

// 土 over 口 is a missing character of the sample: the panel shows it in the composed face
// of its set, which draws the two components apart, where the stand-in draws a box.
TEST_F(SampleGlyphLookupTest, TheGlyphBoxDrawsAMissingCharacterInItsComposedFace)
{
    window->resize(900, 600);
    window->show();
    QLineEdit *formula = window->box("txt構字式");
    formula->setFocus();
    formula->setText("土" + QString(QChar(0xF6A3)) + "口");
    QTest::keyClick(formula, Qt::Key_Return);

    QLineEdit *glyph = window->box("txt字形");
    ASSERT_EQ(glyph->text(), QString(QChar(0xE000)));
    // The base typeface is 細明體: the face of the set follows it.
    EXPECT_EQ(familyDrawing(*glyph, 0), "細明體外字集一");
    // Tab leaves the box and types nothing: the glyph keeps its face.
    glyph->setFocus();
    QTest::keyClick(glyph, Qt::Key_Tab);
    EXPECT_EQ(glyph->text(), QString(QChar(0xE000)));
    EXPECT_EQ(familyDrawing(*glyph, 0), "細明體外字集一");

    // Drawn large, unselected, inside the box's frame.
    glyph->deselect();
    QFont large = glyph->font();
    large.setPointSize(96);
    glyph->setFont(large);
    glyph->setFixedSize(260, 200);
    const QImage drawn = glyph->grab().toImage();
    EXPECT_TRUE(drawn.save(QDir::temp().filePath("murvel-mainwindow-missing-character.png")));
    const QImage inside = drawn.copy(drawn.rect().adjusted(6, 6, -6, -6));
    const QList<int> rows = testsupport::inkProfile(inside, Qt::Vertical);
    EXPECT_GT(testsupport::inkIn(rows, 0, rows.size()), 500);
    EXPECT_TRUE(testsupport::splitByBlankBand(rows));
}

// The top of 左 (U+E010) and 十日十 in 朝's formula (U+E012) are components at private-use
// codes: the component typeface draws them and the operator beside them, nothing else does.
TEST_F(SampleGlyphLookupTest, TheFormulaBoxDrawsPrivateUseComponentsFromTheComponentTypeface)
{
    const std::pair<QString, QChar> formulas[] = {{"左", QChar(0xE010)}, {"朝", QChar(0xE012)}};
    for (const auto &[glyph, component] : formulas) {
        QLineEdit *glyphBox = window->box("txt字形");
        glyphBox->setFocus();
        glyphBox->setText(glyph);
        QTest::keyClick(glyphBox, Qt::Key_Return);
        QLineEdit *formula = window->box("txt構字式");
        ASSERT_EQ(formula->text().left(1), QString(component)) << glyph.toStdString();
        EXPECT_EQ(familyDrawing(*formula, 0), KaiComponents) << glyph.toStdString();
        EXPECT_EQ(familyDrawing(*formula, 1), KaiComponents) << glyph.toStdString();
        EXPECT_EQ(familyDrawing(*formula, 2), fonts::installedFamiliesFor("標楷體").first());
    }
}

} // namespace

namespace
{

class DamagedDatabaseLookupTest : public GlyphLookupTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        DamageIndex(QDir(folder.path()).filePath("murvel.mdb"), "檢字表.編號");
        writeIni(RestoredIni());
        ASSERT_TRUE(start());
    }
};

TEST_F(DamagedDatabaseLookupTest, AReadErrorIsReportedNotTakenForAMiss)
{
    enter("txt編號", "1");
    EXPECT_NE(status(), "0 個字根");
    EXPECT_TRUE(status().contains("檢字表")) << status().toStdString();
    EXPECT_TRUE(status().contains("malformed")) << status().toStdString();
    // A glyph that is not there is still a plain miss.
    enter("txt字形", "\u9F98");
    EXPECT_EQ(status(), "0 個字根");
}

} // namespace
