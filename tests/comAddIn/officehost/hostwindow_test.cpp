// The host window with the real porvex library registered in a private registry: the
// add-in's controls as menus and toolbars, the caret as Word's selection, and the
// add-ins dialog's removal and reconnection.
#include "comAddIn/officehost/addinconnections.h"
#include "comAddIn/officehost/addinsdialog.h"
#include "comAddIn/officehost/commandbarui.h"
#include "comAddIn/officehost/hostdocument.h"
#include "comAddIn/officehost/hostwindow.h"
#include "platform/office/host/commandbars.h"
#include "platform/office/word/application.h"
#include "tests/comAddIn/officehost/registeredaddins.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolBar>

using officehost::HostWindow;

namespace
{

class HostWindowTest : public RegisteredAddInsTest
{
protected:
    QStringList libraries() const override { return {QStringLiteral(PORVEX_LIBRARY)}; }

    QAction *menuAction(const HostWindow &window, const QString &name) const
    {
        for (QAction *action : window.findChild<QMenu *>(u"toolsMenu"_qs)->actions()) {
            if (action->objectName() == name)
                return action;
        }
        return nullptr;
    }
    std::shared_ptr<office::CommandBars> savedBars() const
    {
        return office::CommandBars::open(u"Microsoft Word"_qs);
    }

    int argc = 0;
    QApplication m_app{argc, nullptr};
};

TEST_F(HostWindowTest, RegisteredAddInIsConnectedAndShowsItsControls)
{
    HostWindow window;
    ASSERT_TRUE(window.openDocument(m_path).ok());
    QCoreApplication::processEvents();
    ASSERT_EQ(window.addIns()->addIns().size(), 1);
    EXPECT_TRUE(window.addIns()->addIns()[0].connected);
    EXPECT_EQ(window.addIns()->addIns()[0].registration.progId, u"PorvexAddin.ConnectWord"_qs);

    for (const QString &tag :
         {u"qelToolExpToGlyph"_qs, u"qelToolExpToImg"_qs, u"qelToolImgToExp"_qs,
          u"qelToolHanziInteface"_qs, u"qelToolHanziHelp"_qs}) {
        ASSERT_TRUE(menuAction(window, tag)) << tag.toStdString();
        EXPECT_TRUE(menuAction(window, tag)->isVisible());
    }
    auto *operators = window.findChild<QToolBar *>(u"構字符號"_qs);
    ASSERT_TRUE(operators);
    EXPECT_TRUE(operators->isHidden()); // a new bar waits for the user to show it
    EXPECT_EQ(operators->actions().size(), 9);

    // A click reaches the add-in, which answers in the host's status bar.
    ASSERT_TRUE(window.clickTag(u"qelToolExpToGlyph"_qs).ok());
    EXPECT_FALSE(window.document()->application().statusBar().isEmpty());
    EXPECT_FALSE(window.clickTag(u"noSuchTag"_qs).ok());
}

TEST_F(HostWindowTest, CaretInTheWindowIsWordsSelection)
{
    HostWindow window;
    ASSERT_TRUE(window.openDocument(m_path).ok());
    auto *text = window.findChild<QPlainTextEdit *>(u"documentText"_qs);
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->toPlainText().startsWith(u"甲乙丙"_qs));
    QTextCursor cursor = text->textCursor();
    cursor.setPosition(1);
    cursor.setPosition(2, QTextCursor::KeepAnchor);
    text->setTextCursor(cursor);
    auto &word = static_cast<word::Application &>(window.document()->application());
    EXPECT_EQ(word.selection()->text(), u"乙"_qs);

    // A change of the model shows at once, with the caret where the model has it.
    word.selection()->setText(u"乙乙"_qs);
    word.selection()->collapse(word::CollapseDirection::End);
    window.refresh();
    EXPECT_TRUE(text->toPlainText().startsWith(u"甲乙乙丙"_qs));
    EXPECT_EQ(text->textCursor().position(), 3);
    EXPECT_FALSE(text->textCursor().hasSelection());
}

TEST_F(HostWindowTest, UntickingRemovesTheControlsAndTickingBringsThemBack)
{
    HostWindow window;
    ASSERT_TRUE(window.openDocument(m_path).ok());
    officehost::AddInsDialog dialog(*window.addIns(), &window);
    auto *list = dialog.findChild<QListWidget *>(u"addInList"_qs);
    ASSERT_TRUE(list);
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->checkState(), Qt::Checked);

    list->item(0)->setCheckState(Qt::Unchecked); // RemoveMode 1
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.addIns()->addIns()[0].connected);
    EXPECT_FALSE(menuAction(window, u"qelToolExpToGlyph"_qs));
    EXPECT_FALSE(savedBars()->item(u"構字符號"_qs));
    EXPECT_FALSE(savedBars()->findControl(u"qelToolHanziHelp"_qs));

    list->item(0)->setCheckState(Qt::Checked);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.addIns()->addIns()[0].connected);
    EXPECT_TRUE(menuAction(window, u"qelToolExpToGlyph"_qs));
    EXPECT_TRUE(savedBars()->item(u"構字符號"_qs));
}

TEST_F(HostWindowTest, ClosingTheHostKeepsTheControlsForTheNextStart)
{
    {
        HostWindow window;
        ASSERT_TRUE(window.openDocument(m_path).ok());
    } // RemoveMode 0
    const auto bars = savedBars();
    EXPECT_TRUE(bars->item(u"構字符號"_qs));
    EXPECT_EQ(bars->item(u"Tools"_qs)->controlCount(), 3 + 5);

    // The next start finds them and adds nothing.
    HostWindow window;
    ASSERT_TRUE(window.openDocument(m_path).ok());
    EXPECT_EQ(savedBars()->item(u"Tools"_qs)->controlCount(), 3 + 5);
    EXPECT_EQ(savedBars()->item(u"構字符號"_qs)->controlCount(), 9);
    EXPECT_TRUE(window.clickTag(u"qelOperatorH"_qs).ok());
}

} // namespace
