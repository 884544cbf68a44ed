// The host program as a user runs it, with porvex and trivane registered in a private
// registry: a trigram and an operator typed at the caret through the shown toolbars and
// saved, and `officehost --click TAG FILE` for scripts.
#include "comAddIn/officehost/commandbarui.h"
#include "comAddIn/officehost/hostprogram.h"
#include "comAddIn/officehost/hostwindow.h"
#include "tests/comAddIn/officehost/registeredaddins.h"
#include "tests/support/childprocess.h"
#include "tests/support/libreoffice.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QToolBar>

namespace
{

using wordtest::mainText;

const QString kQian = QString(QChar(0xEDC7));

QAction *actionNamed(const QList<QAction *> &actions, const QString &name)
{
    for (QAction *action : actions) {
        if (action->objectName() == name)
            return action;
    }
    return nullptr;
}

class OfficeHostTest : public RegisteredAddInsTest
{
protected:
    void SetUp() override
    {
        RegisteredAddInsTest::SetUp();
        m_environment.insert(u"QT_QPA_PLATFORM"_qs, u"offscreen"_qs);
    }
    QStringList libraries() const override
    {
        return {QStringLiteral(PORVEX_LIBRARY), QStringLiteral(TRIVANE_LIBRARY)};
    }

    // Runs officehost with the arguments; its exit status, or -1 when it did not finish.
    int runOfficeHost(const QStringList &arguments)
    {
        QProcess process;
        process.setProcessEnvironment(m_environment);
        testsupport::endWithTest(process);
        process.start(QStringLiteral(OFFICEHOST_PROGRAM), arguments);
        if (!process.waitForFinished(120'000))
            return -1;
        m_stderr = QString::fromLocal8Bit(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QString m_stderr;
};

TEST_F(OfficeHostTest, SymbolButtonsTypeAtTheCaretAndTheSavedDocumentOpens)
{
    int argc = 0;
    QApplication app(argc, nullptr);
    officehost::HostProgram program;
    ASSERT_TRUE(program.openDocument(m_path).ok());
    officehost::HostWindow &window = *program.windows().first();

    // The user shows the hidden bar from the toolbar list.
    auto *list = window.findChild<QMenu *>(u"toolbarList"_qs);
    QAction *showTrigrams = actionNamed(list->actions(), u"toolbarList_八卦符號"_qs);
    ASSERT_TRUE(showTrigrams);
    ASSERT_TRUE(actionNamed(list->actions(), u"toolbarList_構字符號"_qs));
    EXPECT_FALSE(showTrigrams->isChecked());
    showTrigrams->trigger();
    QCoreApplication::processEvents();
    auto *bar = window.findChild<QToolBar *>(u"八卦符號"_qs);
    ASSERT_TRUE(bar);
    EXPECT_TRUE(bar->isVisible());

    // Caret after 乙, then the first button.
    auto *text = window.findChild<QPlainTextEdit *>(u"documentText"_qs);
    QTextCursor cursor = text->textCursor();
    cursor.setPosition(2);
    text->setTextCursor(cursor);
    QAction *qian = actionNamed(bar->actions(), u"乾"_qs);
    ASSERT_TRUE(qian);
    qian->trigger();
    EXPECT_TRUE(text->toPlainText().startsWith(u"甲乙"_qs + kQian + u"丙"_qs));
    EXPECT_EQ(text->textCursor().position(), 3); // typing goes on after the symbol

    // Then porvex's first operator button, on the other bar, where the caret now is.
    actionNamed(list->actions(), u"toolbarList_構字符號"_qs)->trigger();
    QCoreApplication::processEvents();
    auto *operators = window.findChild<QToolBar *>(u"構字符號"_qs);
    ASSERT_TRUE(operators);
    QAction *horizontal = actionNamed(operators->actions(), u"qelOperatorH"_qs);
    ASSERT_TRUE(horizontal);
    horizontal->trigger();
    const QString typed = u"甲乙"_qs + kQian + QChar(0xF6A4) + u"丙"_qs;
    EXPECT_TRUE(text->toPlainText().startsWith(typed));

    window.findChild<QAction *>(u"fileSave"_qs)->trigger();
    EXPECT_TRUE(mainText(m_path).startsWith(typed));
    const auto opened = testsupport::convertWithLibreOffice(m_path, u"txt:Text (encoded):UTF8"_qs);
    ASSERT_TRUE(opened.ok());
    EXPECT_TRUE(QString::fromUtf8(opened.value().document).contains(typed));
}

TEST_F(OfficeHostTest, ClickClicksTheTaggedControlAndSaves)
{
    ASSERT_EQ(runOfficeHost({u"--click"_qs, u"坤"_qs, m_path}), 0) << m_stderr.toStdString();
    // A document opens with the caret at its start.
    EXPECT_TRUE(mainText(m_path).startsWith(QString(QChar(0xEDC0)) + u"甲乙丙"_qs));
    EXPECT_TRUE(testsupport::convertWithLibreOffice(m_path, u"txt:Text (encoded):UTF8"_qs).ok());
}

TEST_F(OfficeHostTest, ClickFailsForAnUnknownTagOrFile)
{
    const QByteArray before = wordtest::fileBytes(m_path);
    EXPECT_EQ(runOfficeHost({u"--click"_qs, u"noSuchTag"_qs, m_path}), 1);
    EXPECT_TRUE(m_stderr.contains(u"noSuchTag"_qs));
    EXPECT_EQ(wordtest::fileBytes(m_path), before); // nothing saved
    EXPECT_EQ(runOfficeHost({u"--click"_qs, u"乾"_qs, m_dir.filePath(u"missing.docx"_qs)}), 1);
    EXPECT_EQ(runOfficeHost({u"--click"_qs, u"乾"_qs}), 2);
}

} // namespace
