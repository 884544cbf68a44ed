#include "platform/vb/twips.h"
#include "tests/vbprog/murvel/mainwindow/mainwindowfixture.h"
#include "vbprog/murvel/core/databases.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace
{

using Kinds = QList<int>;

TEST_F(MainWindowTest, FirstRunMaximisesAppliesTheFirstAdvancedLayoutAndSetsTheFirstRunMarks)
{
    writeIni("[Start]\nfirst=1\n");
    ASSERT_TRUE(start());

    EXPECT_TRUE(window->isMaximized());
    EXPECT_EQ(find<QComboBox>("cbo字體大小")->currentText(), "18");
    EXPECT_EQ(gFontSize, 18);
    EXPECT_EQ(gBaseFontName, "標楷體");
    EXPECT_EQ(gCurrentScript, "楷書");
    for (const QString &name : MainMenus::CharSetItemNames)
        EXPECT_EQ(checked(name), name == "mnu_楷書") << name.toStdString();
    EXPECT_TRUE(checked("mnu_儲存視窗設定"));
    EXPECT_TRUE(checked("mnu_複製到剪貼簿"));
    EXPECT_TRUE(checked("mnu_字形孳乳包含異寫部件"));
    EXPECT_TRUE(checked("mnu_字形孳乳逐級列出單一部件"));
    EXPECT_FALSE(checked("mnu_字形孳乳只列字形不列部件"));
    EXPECT_FALSE(checked("mnu_字形孳乳採用SQL語法"));
    EXPECT_EQ(gIni.value("選項", "字頻"), "1");
    EXPECT_EQ(gPresetLayoutNumber, -1);
    EXPECT_TRUE(gPresetIsSimple);
    EXPECT_EQ(gSessionRestored, 0);

    // 預設瀏覽一: 字形結構 over 字形演變, with 異體字表 and 字形孳乳 beside them.
    EXPECT_EQ(loadedKinds(), Kinds({12, 13, 15, 11}));
    const QRect upper = child(WindowKinds::Structure)->frame()->geometry();
    const QRect lower = child(WindowKinds::Evolution)->frame()->geometry();
    EXPECT_TRUE(child(WindowKinds::Evolution)->frame()->isVisible());
    EXPECT_EQ(lower.left(), upper.left());
    EXPECT_EQ(lower.width(), upper.width());
    EXPECT_NEAR(lower.top(), upper.bottom() + 1, 1);
    EXPECT_EQ(window->mdiArea().activeSubWindow(), child(WindowKinds::Derivation)->frame());
    EXPECT_TRUE(problems.isEmpty());
}

TEST_F(MainWindowTest, MissingSettingsFileIsAFirstRunNotAnEmptyWindow)
{
    ASSERT_TRUE(start());

    EXPECT_TRUE(window->isMaximized());
    EXPECT_GT(window->width(), 0);
    EXPECT_EQ(gFontSize, 18);
    EXPECT_TRUE(checked("mnu_儲存視窗設定"));
}

TEST_F(MainWindowTest, AFileOfTheBatchToolsAloneIsAFirstRunAndKeepsTheirSection)
{
    writeIni("[Convert]\nSrcPath=/tmp/來源\n");
    ASSERT_TRUE(start());

    EXPECT_TRUE(window->isMaximized());
    EXPECT_EQ(gFontSize, 18);
    EXPECT_EQ(loadedKinds(), Kinds({12, 13, 15, 11}));
    window->close();

    const ProfileCheck expect(iniPath());
    EXPECT_EQ(expect("Start", "first"), "2");
    EXPECT_EQ(expect("Convert", "SrcPath"), "/tmp/來源");
}

TEST_F(MainWindowTest, TheFirstRunsStepwiseMarkAndSettingAgree)
{
    ASSERT_TRUE(start());
    EXPECT_TRUE(checked("mnu_字形孳乳逐級列出單一部件"));
    EXPECT_TRUE(gIni.isOn("選項", "逐級列出"));
}

TEST_F(MainWindowTest, StartUpLeavesTheClipboardAloneWhenCopyingIsOff)
{
    for (const QString &ini : {QString("[Start]\nfirst=1\n"), RestoredIni("[選項]\ncopy=0\n")}) {
        SCOPED_TRACE(ini.toStdString());
        QGuiApplication::clipboard()->setText("the user's text");
        writeIni(ini);
        ASSERT_TRUE(start());
        EXPECT_EQ(QGuiApplication::clipboard()->text(), "the user's text");
        window->close();
        window.reset();
        CloseDatabases();
    }
}

TEST_F(MainWindowTest, StartUpFillsTheSymbolBarStrokeFiltersAndWindowNames)
{
    ASSERT_TRUE(start());

    auto *types = find<QComboBox>("cbo符號類型");
    ASSERT_EQ(types->count(), 2);
    EXPECT_EQ(types->itemText(1), "常用部件");
    EXPECT_EQ(types->itemData(1).toInt(), 2);
    EXPECT_EQ(types->currentIndex(), 0);
    auto *symbols = find<QComboBox>("cbo符號");
    EXPECT_EQ(symbols->count(), 3);
    EXPECT_EQ(symbols->currentIndex(), 0);
    // The first symbol is looked up and shown in the panel.
    EXPECT_EQ(window->box("txt字形")->text(), QString(QChar(0xF6A4)));
    EXPECT_EQ(window->box("txt編號")->text(), "13063");

    auto *strokes = find<QComboBox>("cbo筆畫");
    ASSERT_EQ(strokes->count(), 100);
    EXPECT_EQ(strokes->itemText(0), "1-99");
    EXPECT_EQ(strokes->itemData(99).toInt(), 99);
    EXPECT_EQ(gWindowNames[8], "說文解字部首");
    EXPECT_TRUE(gWindowNames[15].isEmpty());
    EXPECT_EQ(gCurrentWindowName, "字形孳乳"); // the first run's layout left 字形孳乳 active
}

TEST_F(MainWindowTest, RestoredRunTakesGeometryFontCharacterSetAndOptionsFromTheFile)
{
    writeIni(RestoredIni("[字集]\n常用字=1\n楷體字=1\n"
                         "[選項]\n逐級列出=0\n金文編=0\nUnicode=1\ncopy=1\nsave=1\n"));
    ASSERT_TRUE(start());

    const double dpiX = window->logicalDpiX();
    const double dpiY = window->logicalDpiY();
    EXPECT_FALSE(window->isMaximized());
    EXPECT_EQ(window->geometry().topLeft(), QPoint(vb::TwipsToPixels(1500, dpiX), vb::TwipsToPixels(750, dpiY)));
    EXPECT_EQ(window->size(), QSize(vb::TwipsToPixels(9000, dpiX), vb::TwipsToPixels(6000, dpiY)));
    EXPECT_EQ(find<QComboBox>("cbo字型名稱")->currentText(), "細明體");
    EXPECT_EQ(gBaseFontName, "細明體");
    EXPECT_EQ(gFontSize, 24);

    // Both keys are set: the later one in key order wins.
    EXPECT_TRUE(checked("mnu_楷書"));
    EXPECT_FALSE(checked("mnu_常用字"));
    EXPECT_EQ(gIni.value("選項", "字頻"), "1");

    EXPECT_FALSE(checked("mnu_字形孳乳逐級列出單一部件"));
    EXPECT_TRUE(checked("mnu_字形孳乳只列字形不列部件"));
    EXPECT_FALSE(checked("mnu_金文編選項"));
    EXPECT_FALSE(checked("mnu_中文大辭典選項")); // missing key: off
    EXPECT_TRUE(checked("mnu_Unicode選項"));
    EXPECT_TRUE(checked("mnu_複製到剪貼簿"));
    EXPECT_TRUE(checked("mnu_儲存視窗設定"));
    EXPECT_TRUE(loadedKinds().isEmpty());
    EXPECT_EQ(gSessionRestored, 1);
}

TEST_F(MainWindowTest, RestoredRunReopensWindowsInOrderWithTheirGeometryAfterTheOptionMarks)
{
    writeIni(RestoredIni("[字集]\n說文解字=1\n"
                         "[選項]\n金文編=1\n"
                         "[構形部件]\nopen=1\n"
                         "[字形孳乳]\nopen=1\nwinstate=2\n"
                         "[字形索引]\nopen=1\n"
                         "[字形結構]\nopen=1\nwinstate=0\nleft=300\ntop=150\nwidth=3000\n"
                         "height=4500\n"));
    bool marksAtLoad = false;
    log.onLoad = [&](int) { marksAtLoad = checked("mnu_金文編選項"); };
    ASSERT_TRUE(start());

    EXPECT_EQ(log.events, QStringList({"list 8", "load 12", "load 16", "load 11"}));
    EXPECT_TRUE(marksAtLoad);
    EXPECT_EQ(gCurrentScript, "小篆");
    const double dpiX = window->logicalDpiX();
    const double dpiY = window->logicalDpiY();
    const QRect structure = child(WindowKinds::Structure)->frame()->geometry();
    EXPECT_EQ(structure.topLeft(),
              QPoint(vb::TwipsToPixels(300, dpiX), vb::TwipsToPixels(150, dpiY)));
    EXPECT_EQ(structure.size(),
              QSize(vb::TwipsToPixels(3000, dpiX), vb::TwipsToPixels(4500, dpiY)));
    EXPECT_TRUE(child(WindowKinds::Derivation)->frame()->isMaximized());
}

TEST_F(MainWindowTest, ARestoredWindowWithoutASavedSizeKeepsItsOwn)
{
    writeIni(RestoredIni("[字形索引]\nopen=1\nleft=600\n"));
    ASSERT_TRUE(start());
    const QRect index = child(WindowKinds::Index)->frame()->geometry();
    EXPECT_EQ(index.left(), vb::TwipsToPixels(600, window->logicalDpiX()));
    EXPECT_GT(index.width(), 0);
    EXPECT_GT(index.height(), 0);
}

TEST_F(MainWindowTest, RestoredRadicalListIsKangxiUnlessTheScriptIsSmallSeal)
{
    writeIni(RestoredIni("[字集]\n金文編=1\n[構形部件]\nopen=1\n"));
    ASSERT_TRUE(start());

    EXPECT_EQ(log.events, QStringList({"list 7"}));
    EXPECT_EQ(loadedKinds(), Kinds({7}));
}

TEST_F(MainWindowTest, UnknownSavedTypefaceFallsBackToTheDefault)
{
    writeIni(RestoredIni().replace("fontname=細明體", "fontname=新細明體"));
    ASSERT_TRUE(start());

    EXPECT_EQ(find<QComboBox>("cbo字型名稱")->currentText(), "標楷體");
    EXPECT_EQ(gBaseFontName, "標楷體");
}

TEST_F(MainWindowTest, MissingDatabaseIsReportedAndStopsStartUp)
{
    ASSERT_TRUE(QFile::remove(QDir(folder.path()).filePath("qelchu.mdb")));

    EXPECT_FALSE(start());
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains("qelchu.mdb"));
}

TEST_F(MainWindowTest, ShutDownWritesTheSettingsAndKeepsOtherSections)
{
    writeIni(RestoredIni("[字集]\n金文編=1\n[選項]\nsave=1\nUnicode=1\n[字形結構]\nopen=1\n"
                         "[Convert]\nRefFile=1\n"));
    ASSERT_TRUE(start());
    child(WindowKinds::Structure)->frame()->close();
    window->close();

    const QString ini = readIni();
    EXPECT_TRUE(ini.contains("[Convert]\nRefFile=1"));
    const ProfileCheck expect(iniPath());
    EXPECT_EQ(expect("Start", "first"), "2");
    EXPECT_EQ(expect("選項", "save"), "1");
    EXPECT_EQ(expect("選項", "Unicode"), "1");
    EXPECT_EQ(expect("選項", "金文編"), "0");
    EXPECT_EQ(expect("選項", "字頻"), "1");
    EXPECT_EQ(expect("字集", "金文編"), "1");
    EXPECT_EQ(expect("字集", "楷體字"), "0");
    EXPECT_EQ(expect("字形結構", "open"), "0");
    EXPECT_EQ(expect("Font", "fontname"), "細明體");
    EXPECT_EQ(expect("Font", "fontsize"), "24");
    EXPECT_EQ(expect("Window", "width"),
              QString::number(vb::PixelsToTwips(window->width(), window->logicalDpiX())));
    EXPECT_EQ(expect.keyCount(), 85 + 1);
}

TEST_F(MainWindowTest, ShutDownRecordsOpenWindows)
{
    writeIni(RestoredIni("[選項]\nsave=1\n[字形結構]\nopen=1\n[字形演變]\nopen=1\nwinstate=1\n"));
    ASSERT_TRUE(start());
    window->close();

    const ProfileCheck expect(iniPath());
    EXPECT_EQ(expect("字形結構", "open"), "1");
    EXPECT_EQ(expect("字形演變", "open"), "1");
    EXPECT_EQ(expect("字形演變", "winstate"), "1");
    EXPECT_EQ(expect("字形孳乳", "open"), "0");
    EXPECT_FALSE(gOpen字形結構); // the views were unloaded
}

TEST_F(MainWindowTest, ShutDownWithoutTheSaveMarkLeavesTheFileAsItWas)
{
    const QString text = RestoredIni("[選項]\nsave=0\n");
    writeIni(text);
    ASSERT_TRUE(start());
    window->close();

    EXPECT_EQ(readIni(), text);
}

TEST_F(MainWindowTest, SettingsThatCannotBeWrittenAreReported)
{
    writeIni(RestoredIni("[選項]\nsave=1\n"));
    ASSERT_TRUE(start());
    ASSERT_TRUE(QFile::remove(iniPath()));
    ASSERT_TRUE(QDir().mkdir(iniPath())); // a folder where the file should be

    window->close();
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains("murvel.ini"));
}

} // namespace
