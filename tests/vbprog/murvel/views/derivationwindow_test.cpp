#include "../mainwindow/mainwindowfixture.h"
#include "platform/fonts/typefacetable.h"
#include "vbprog/murvel/core/databases.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"
#include "vbprog/murvel/views/derivationformulabox.h"
#include "vbprog/murvel/views/frm字形孳乳.h"
#include "vbprog/murvel/views/outlinelist.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTest>
#include <QTimer>
#include <functional>

namespace
{

const QString Loaded = QStringLiteral("載入完畢！ 共 ");

// The main window on the derivation fixture, with the real derivation view.
class DerivationWindowTest : public MainWindowTest
{
protected:
    // The saved 逐級列出 switch: 1 searches single components level by level.
    explicit DerivationWindowTest(bool stepwise = true) : m_stepwise(stepwise) {}

    void SetUp() override
    {
        MainWindowTest::SetUp();
        const QDir fixtures(QStringLiteral(MURVEL_FIXTURE_DIR "/derivation"));
        for (const QString &file : ScriptDatabaseFiles) {
            const QString target = QDir(folder.path()).filePath(file);
            ASSERT_TRUE(QFile::remove(target));
            ASSERT_TRUE(QFile::copy(fixtures.filePath(file), target));
        }
        if (!m_damagedIndex.isEmpty())
            DamageIndex(QDir(folder.path()).filePath("murvel.mdb"), m_damagedIndex);
        writeIni(RestoredIni(QStringLiteral("[字形結構]\nopen=1\n[異體字表]\nopen=1\n[選項]\n"
                                            "逐級列出=%1\n異寫部件=1\n")
                                 .arg(m_stepwise ? 1 : 0)));
        ASSERT_TRUE(start());
        window->childWindows().setFactory(WindowKinds::Derivation, WindowKinds::Derivation,
                                          [] { return new frm字形孳乳; });
        click("mnu_字形孳乳");
        view = dynamic_cast<frm字形孳乳 *>(child(WindowKinds::Derivation));
        ASSERT_NE(view, nullptr);
        box = view->findChild<QLineEdit *>("txt構字式");
        tree = view->findChild<OutlineList *>("tree字形樹狀結構");
        ASSERT_NE(box, nullptr);
        ASSERT_NE(tree, nullptr);
        log.events.clear();
    }

    // Types the text and presses Enter; returns once the searches it started have ended.
    void search(const QString &text)
    {
        box->setText(text);
        QTest::keyClick(box, Qt::Key_Return);
        finishSearches();
    }

    void finishSearches()
    {
        QCoreApplication::processEvents();
        while (view != nullptr && view->searching())
            QCoreApplication::processEvents();
    }

    // Runs the action once, at the first yield of a search that has loaded `items` items.
    void atYield(int items, std::function<void()> action)
    {
        auto *poll = new QTimer(window.get()); // owned by the main window
        QObject::connect(poll, &QTimer::timeout, poll, [this, poll, items, action] {
            if (tree->ListCount() < items)
                return;
            poll->stop();
            poll->deleteLater();
            action();
        });
        poll->start(0);
    }

    // Opens an item as the user does, which sends Expand.
    void open(int index)
    {
        QModelIndex shown = tree->model()->index(0, 0);
        for (int at = 1; at <= index; ++at) // the items opened so far are first children
            shown = tree->model()->index(0, 0, shown);
        tree->expand(shown);
    }

    qint32 numberOf(const QString &glyph) const
    {
        gRs檢字表楷書.setIndex("字形");
        return gRs檢字表楷書.seek(glyph) ? gRs檢字表楷書.value("編號").toInt() : 0;
    }

    QString status() const { return window->statusBox()->text(); }

    bool m_stepwise;
    // An index of murvel.mdb to damage before start-up; none when empty.
    QString m_damagedIndex;
    frm字形孳乳 *view = nullptr;
    QLineEdit *box = nullptr;
    OutlineList *tree = nullptr;
};

// The same with 只列字形不列部件: single components are searched by their roots.
class DerivationGlyphsOnlyTest : public DerivationWindowTest
{
protected:
    DerivationGlyphsOnlyTest() : DerivationWindowTest(false) {}
};

TEST_F(DerivationWindowTest, OpensWithItsBoxAndOneEmptyItem)
{
    EXPECT_TRUE(gOpen字形孳乳);
    EXPECT_EQ(box->text(), QStringLiteral("輸入一到多個部件後，再按Enter檢字"));
    EXPECT_EQ(box->selectedText(), box->text());
    EXPECT_EQ(gFocusedBox, 1);
    EXPECT_EQ(view->windowTitle(), QStringLiteral("部件檢字"));
    ASSERT_EQ(tree->ListCount(), 1);
    EXPECT_TRUE(tree->ItemText(0).isEmpty());

    // Selecting the empty item tells nobody.
    tree->setListIndex(0);
    EXPECT_TRUE(log.events.isEmpty());
}

TEST_F(DerivationWindowTest, SearchingAComponentListsTheGlyphsThatUseIt)
{
    search(QStringLiteral("  木 "));

    // Level by level, only components come: 林 builds further glyphs and can be opened.
    ASSERT_EQ(tree->ListCount(), 3);
    EXPECT_EQ(tree->ItemText(0), QStringLiteral("木"));
    EXPECT_EQ(tree->ItemData(0), numberOf("木"));
    EXPECT_EQ(tree->ItemPicture(0).cacheKey(), tree->PictureNode().cacheKey());
    EXPECT_TRUE(tree->Expanded(0));
    EXPECT_EQ(tree->ItemText(1), QStringLiteral("林"));
    EXPECT_EQ(tree->ItemData(1), numberOf("林"));
    EXPECT_EQ(tree->ItemFontName(1), QStringLiteral("細明體")); // the base typeface's twin
    EXPECT_EQ(tree->ItemPicture(1).cacheKey(), tree->PictureComposite().cacheKey());
    EXPECT_TRUE(tree->ItemText(2).isEmpty()); // its placeholder
    EXPECT_EQ(status(), Loaded + QStringLiteral("2 個字形(部件)"));
    EXPECT_EQ(gDerivationMessage, status());
    EXPECT_TRUE(problems.isEmpty());
}

TEST_F(DerivationWindowTest, OpeningAnItemLoadsTheGlyphsBuiltWithItOnce)
{
    search(QStringLiteral("木"));
    open(1); // 林
    ASSERT_EQ(tree->ListCount(), 4);
    EXPECT_EQ(tree->ItemText(2), QStringLiteral("禁"));
    EXPECT_EQ(tree->ChildCount(1), 1);
    EXPECT_TRUE(tree->Expanded(1));
    EXPECT_EQ(tree->ItemPicture(2).cacheKey(), tree->PictureComposite().cacheKey());
    EXPECT_EQ(status(), Loaded + QStringLiteral("2 個字形(部件)"));
    EXPECT_TRUE(tree->Redraw());

    open(2); // 禁: only itself answers, and its placeholder goes
    EXPECT_EQ(tree->ListCount(), 3);
    EXPECT_EQ(tree->ChildCount(2), 0);
    EXPECT_EQ(status(), Loaded + QStringLiteral("1 個字形(部件)"));

    // Opened again, an item with its children loads nothing.
    tree->setExpanded(1, false);
    open(1);
    EXPECT_EQ(tree->ListCount(), 3);
}

TEST_F(DerivationWindowTest, AnItemOpensFromTheDatabaseTheSearchRanOn)
{
    search(QStringLiteral("木"));
    click("mnu_小篆");
    EXPECT_EQ(gCurrentScript, QStringLiteral("小篆"));
    EXPECT_EQ(box->font().families(), fonts::familiesFor(QStringLiteral("北師大說文小篆")));

    open(1); // the seal database has no 禁
    ASSERT_EQ(tree->ListCount(), 4);
    EXPECT_EQ(tree->ItemText(2), QStringLiteral("禁"));
    EXPECT_EQ(tree->ItemData(2), numberOf("禁"));
}

TEST_F(DerivationWindowTest, ASelectedGlyphGoesToThePanelAndTheOpenViews)
{
    search(QStringLiteral("木"));
    gDerivationMessage = QStringLiteral("last message");
    tree->setListIndex(1);

    const QString 林 = QString::number(numberOf("林"));
    EXPECT_EQ(log.events, QStringList({"glyph 12 標楷體 林 " + 林, "glyph 13 標楷體 林 " + 林}));
    EXPECT_EQ(window->box("txt字形")->text(), QStringLiteral("林"));
    EXPECT_EQ(gDragText, QStringLiteral("林"));
    EXPECT_EQ(status(), QStringLiteral("last message"));

    // A root of two characters is no glyph to show.
    search(QStringLiteral("日月"));
    ASSERT_GT(tree->ListCount(), 1);
    log.events.clear();
    tree->setListIndex(0);
    EXPECT_TRUE(log.events.isEmpty());
}

TEST_F(DerivationWindowTest, QuotesAndBracketsAreSearchedAsCharacters)
{
    // Searched by component sequence, where ? would otherwise match every glyph.
    for (const QString &text : {QStringLiteral("'"), QStringLiteral("["), QStringLiteral("?")}) {
        search(text);
        EXPECT_EQ(status(), Loaded + QStringLiteral("0 個字形(部件)")) << text.toStdString();
        EXPECT_EQ(tree->ListCount(), 0);
    }
    // Among several components a quote finds nothing and the others are searched.
    search(QStringLiteral("木'"));
    EXPECT_EQ(tree->ItemText(0), QStringLiteral("木'"));
    EXPECT_EQ(tree->ChildCount(0), 13);
    EXPECT_TRUE(problems.isEmpty());
}

TEST_F(DerivationWindowTest, CharactersSqlCannotHoldAreRefusedWithAMessage)
{
    // A NUL would end the statement early; an unpaired surrogate would turn into "?",
    // which matches every glyph.
    for (const QString &typed : {QString(QChar(0)), QString(QChar(0xD840))}) {
        search(typed);
        EXPECT_EQ(tree->ListCount(), 0);
        EXPECT_TRUE(status().contains(QStringLiteral("無法查詢的字元"))) << status().toStdString();
    }
}

class DamagedDerivationWindowTest : public DerivationWindowTest
{
protected:
    DamagedDerivationWindowTest() { m_damagedIndex = QStringLiteral("異寫字根.字根"); }
};

TEST_F(DamagedDerivationWindowTest, AFailedLookupIsReportedInsteadOfSearchingWithoutIt)
{
    search(QStringLiteral("木"));
    EXPECT_EQ(tree->ListCount(), 0);
    EXPECT_TRUE(status().contains(QStringLiteral("malformed"))) << status().toStdString();
    EXPECT_EQ(gDerivationMessage, status());
}

TEST_F(DerivationWindowTest, APatternTheEngineRefusesIsReportedInTheStatusBox)
{
    click("mnu_字形孳乳採用SQL語法");
    EXPECT_EQ(view->windowTitle(), QStringLiteral("部件檢字(SQL Like)"));
    search(QStringLiteral("木["));
    EXPECT_TRUE(status().contains(QStringLiteral("Like 樣式字串不正確"))) << status().toStdString();
    EXPECT_EQ(gDerivationMessage, status());
    EXPECT_EQ(tree->ListCount(), 0);
    EXPECT_TRUE(tree->Redraw());

    // The user's own wildcards work.
    search(QStringLiteral("日*"));
    EXPECT_EQ(tree->ItemText(0), QStringLiteral("日*"));
    EXPECT_TRUE(status().startsWith(Loaded));
}

TEST_F(DerivationGlyphsOnlyTest, EscStopsTheSearchAndTheMessageCountsTheWholeAnswer)
{
    atYield(40, [this] { QTest::keyClick(box, Qt::Key_Escape); });
    search(QStringLiteral("口"));
    const int stoppedAt = tree->ListCount();
    EXPECT_GE(stoppedAt, 40);
    EXPECT_LT(stoppedAt, 53);
    EXPECT_EQ(status(), Loaded + QStringLiteral("53 個字形(部件)"));
    EXPECT_TRUE(tree->Redraw());

    // Esc stopped that search only.
    search(QStringLiteral("口"));
    EXPECT_EQ(tree->ListCount(), 53);
    EXPECT_EQ(tree->ItemText(0), QStringLiteral("口"));
    EXPECT_EQ(tree->ChildCount(0), 52);
}

TEST_F(DerivationGlyphsOnlyTest, EnterDuringASearchRunsTheNewSearchInstead)
{
    QStringList progress;
    atYield(40, [this, &progress] {
        progress << status();
        box->setText(QStringLiteral("明"));
        QTest::keyClick(box, Qt::Key_Return);
    });
    search(QStringLiteral("口"));
    EXPECT_TRUE(progress.value(0).startsWith(QStringLiteral("字形載入已完成 ")));

    ASSERT_EQ(tree->ListCount(), 1);
    EXPECT_EQ(tree->ItemText(0), QStringLiteral("明"));
    EXPECT_EQ(status(), Loaded + QStringLiteral("1 個字形(部件)"));
}

TEST_F(DerivationGlyphsOnlyTest, ClosingTheWindowDuringASearchEndsIt)
{
    atYield(40, [this] { view->frame()->close(); });
    box->setText(QStringLiteral("口"));
    QTest::keyClick(box, Qt::Key_Return);
    QPointer<frm字形孳乳> watched = view;
    for (int round = 0; round < 10 && watched != nullptr; ++round)
        QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watched.isNull());
    EXPECT_TRUE(status().startsWith(QStringLiteral("載入完畢！"))) << status().toStdString();
    EXPECT_FALSE(gOpen字形孳乳);
    EXPECT_TRUE(item("mnu_字形孳乳")->isEnabled());
    EXPECT_TRUE(problems.isEmpty());
}

TEST_F(DerivationGlyphsOnlyTest, AnAncientScriptSearchesItsOwnForms)
{
    click("mnu_小篆");
    search(QStringLiteral("亻")); // the regular variant writing is 人 in the seal script

    ASSERT_EQ(tree->ListCount(), 2);
    EXPECT_EQ(tree->ItemText(0), QStringLiteral("人"));
    EXPECT_EQ(tree->ItemFontName(0), QStringLiteral("北師大說文小篆"));
    EXPECT_EQ(tree->ItemData(0), 5);
    EXPECT_EQ(tree->ItemText(1), QStringLiteral("休"));
    EXPECT_EQ(tree->ItemData(1), 6);
    EXPECT_EQ(tree->ItemFontName(1), QStringLiteral("北師大說文小篆"));
    EXPECT_EQ(status(), Loaded + QStringLiteral("2 個字形(部件)"));
}

TEST_F(DerivationGlyphsOnlyTest, ASealRootNumberedZeroStandsForItsRegularGlyph)
{
    click("mnu_小篆");
    search(QStringLiteral("氵")); // its seal record is numbered 0, so the answer lacks it

    ASSERT_EQ(tree->ListCount(), 2);
    EXPECT_EQ(tree->ItemText(1), QStringLiteral("淋"));
    EXPECT_EQ(tree->ItemData(1), 7);
    EXPECT_EQ(tree->ItemText(0), QStringLiteral("氵"));
    EXPECT_EQ(tree->ItemFontName(0), QStringLiteral("標楷體"));
    EXPECT_EQ(tree->ItemData(0), numberOf("氵"));
    EXPECT_EQ(status(), Loaded + QStringLiteral("1 個字形(部件)"));
}

TEST_F(DerivationGlyphsOnlyTest, ACharacterSetFiltersTheAnswerAndTheRootTakesItsOwnNumber)
{
    click("mnu_常用字");
    search(QStringLiteral("氵")); // no 常用字 itself, 淋 is one
    ASSERT_EQ(tree->ListCount(), 2);
    EXPECT_EQ(tree->ItemText(1), QStringLiteral("淋"));
    EXPECT_EQ(tree->ItemData(0), numberOf("氵"));
    EXPECT_EQ(status(), Loaded + QStringLiteral("1 個字形(部件)"));

    search(QStringLiteral("林")); // 霖 is left out
    QStringList found;
    for (int i = 1; i < tree->ListCount(); ++i)
        found << tree->ItemText(i);
    EXPECT_FALSE(found.contains(QStringLiteral("霖")));
    EXPECT_TRUE(found.contains(QStringLiteral("淋")));
}

TEST_F(DerivationGlyphsOnlyTest, SeveralComponentsFindTheGlyphsHoldingAllTheirRoots)
{
    search(QStringLiteral("木口")); // roots in any order: 困 呆 噤
    QStringList found;
    for (int i = 1; i < tree->ListCount(); ++i)
        found << tree->ItemText(i);
    found.sort();
    EXPECT_EQ(found, QStringList({"呆", "噤", "困"}));
    EXPECT_EQ(tree->ItemData(0), NoGlyphNumber); // no glyph of two characters
    EXPECT_EQ(tree->ItemFlag(0).toInt(), 3);
}

// A first run, whose preset layout opens a stand-in for the view: closed, it is opened again
// as the real view.
class DerivationFirstRunTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(start());
        window->childWindows().setFactory(WindowKinds::Derivation, WindowKinds::Derivation,
                                          [] { return new frm字形孳乳; });
        if (ChildWindow *standIn = child(WindowKinds::Derivation)) {
            standIn->frame()->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
};

TEST_F(DerivationFirstRunTest, TheBoxAsksForComponentsAndTheCaptionFollowsTheSqlMark)
{
    click("mnu_字形孳乳採用SQL語法");
    ASSERT_TRUE(checked("mnu_字形孳乳採用SQL語法"));
    click("mnu_字形孳乳");
    auto *view = dynamic_cast<frm字形孳乳 *>(child(WindowKinds::Derivation));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->formulaBox()->text(), QStringLiteral("輸入一到多個部件後，再按Enter"));
    EXPECT_EQ(view->windowTitle(), QStringLiteral("部件檢字(SQL Like)"));
}

TEST(DerivationDrop, TheDroppedTextReplacesTheSelection)
{
    EXPECT_EQ(TextAfterDrop(QStringLiteral("日月木"), 1, 1, QStringLiteral("林")),
              QStringLiteral("日林木"));
    EXPECT_EQ(TextAfterDrop(QStringLiteral("日月"), 2, 0, QStringLiteral("木")),
              QStringLiteral("日月木"));
    EXPECT_EQ(TextAfterDrop(QStringLiteral("日月"), 0, 2, QStringLiteral("木")),
              QStringLiteral("木"));
}

} // namespace
