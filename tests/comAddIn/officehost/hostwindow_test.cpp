// The host window with the real porvex library registered in a private registry: the
// add-in's controls as menus and toolbars, the caret as Word's selection, and the
// add-ins dialog's removal and reconnection.
#include "comAddIn/officehost/addinconnections.h"
#include "comAddIn/officehost/addinsdialog.h"
#include "comAddIn/officehost/commandbarui.h"
#include "comAddIn/officehost/hostdocument.h"
#include "comAddIn/officehost/hostmessages.h"
#include "comAddIn/officehost/hostprogram.h"
#include "comAddIn/officehost/hostwindow.h"
#include "platform/fonts/componenttypeface.h"
#include "platform/fonts/programfonts.h"
#include "platform/fonts/typefacetable.h"
#include "platform/office/host/commandbars.h"
#include "platform/office/word/application.h"
#include "tests/comAddIn/officehost/registeredaddins.h"
#include "tests/platform/office/word/sampledocx.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QGlyphRun>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRawFont>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QToolBar>

using officehost::HostProgram;
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
    // The window of report.docx, opened in the program.
    HostWindow *open(HostProgram &program) const
    {
        const auto opened = program.openDocument(m_path);
        EXPECT_TRUE(opened.ok()) << opened.errorString().toStdString();
        return opened.ok() ? program.windows().value(0) : nullptr;
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
    HostProgram program;
    HostWindow *window = open(program);
    ASSERT_TRUE(window);
    QCoreApplication::processEvents();
    ASSERT_EQ(program.addIns()->addIns().size(), 1);
    EXPECT_TRUE(program.addIns()->addIns()[0].connected);
    EXPECT_EQ(program.addIns()->addIns()[0].registration.progId, u"PorvexAddin.ConnectWord"_qs);

    for (const QString &tag :
         {u"qelToolExpToGlyph"_qs, u"qelToolExpToImg"_qs, u"qelToolImgToExp"_qs,
          u"qelToolHanziInteface"_qs, u"qelToolHanziHelp"_qs}) {
        ASSERT_TRUE(menuAction(*window, tag)) << tag.toStdString();
        EXPECT_TRUE(menuAction(*window, tag)->isVisible());
    }
    auto *operators = window->findChild<QToolBar *>(u"構字符號"_qs);
    ASSERT_TRUE(operators);
    EXPECT_TRUE(operators->isHidden()); // a new bar waits for the user to show it
    EXPECT_EQ(operators->actions().size(), 9);

    // A click reaches the add-in, which answers in the host's status bar.
    ASSERT_TRUE(window->clickTag(u"qelToolExpToGlyph"_qs).ok());
    EXPECT_FALSE(window->document()->application().statusBar().isEmpty());
    EXPECT_FALSE(window->clickTag(u"noSuchTag"_qs).ok());
}

TEST_F(HostWindowTest, CaretInTheWindowIsWordsSelection)
{
    HostProgram program;
    HostWindow *window = open(program);
    ASSERT_TRUE(window);
    auto *text = window->findChild<QPlainTextEdit *>(u"documentText"_qs);
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->toPlainText().startsWith(u"甲乙丙"_qs));
    QTextCursor cursor = text->textCursor();
    cursor.setPosition(1);
    cursor.setPosition(2, QTextCursor::KeepAnchor);
    text->setTextCursor(cursor);
    auto &word = static_cast<word::Application &>(window->document()->application());
    EXPECT_EQ(word.selection()->text(), u"乙"_qs);

    // A change of the model shows at once, with the caret where the model has it.
    word.selection()->setText(u"乙乙"_qs);
    word.selection()->collapse(word::CollapseDirection::End);
    window->refresh();
    EXPECT_TRUE(text->toPlainText().startsWith(u"甲乙乙丙"_qs));
    EXPECT_EQ(text->textCursor().position(), 3);
    EXPECT_FALSE(text->textCursor().hasSelection());
}

TEST_F(HostWindowTest, AnotherDocumentOpensInAWindowOfItsOwnAndAnOpenOneComesForward)
{
    const QString second = m_dir.filePath(u"second.docx"_qs);
    ASSERT_TRUE(wordtest::writeDocx(second, u"<w:p><w:r><w:t>丁戊</w:t></w:r></w:p>"_qs));
    HostProgram program;
    HostWindow *first = open(program);
    ASSERT_TRUE(first);
    ASSERT_TRUE(program.openDocument(second).ok());
    QCoreApplication::processEvents();
    ASSERT_EQ(program.windows().size(), 2);
    HostWindow *other = program.windows()[1];
    EXPECT_EQ(program.activeWindow(), other);
    EXPECT_TRUE(other->findChild<QPlainTextEdit *>(u"documentText"_qs)
                    ->toPlainText()
                    .startsWith(u"丁戊"_qs));
    EXPECT_TRUE(other->findChild<QAction *>(u"qelToolExpToGlyph"_qs)) << "the same add-ins";

    // Opening report.docx again brings its window forward instead of a second copy.
    ASSERT_TRUE(program.openDocument(m_path).ok());
    QCoreApplication::processEvents();
    EXPECT_EQ(program.windows().size(), 2);
    EXPECT_EQ(program.activeWindow(), first);

    EXPECT_FALSE(program.openDocument(m_dir.filePath(u"notes.txt"_qs)).ok());
    EXPECT_EQ(program.windows().size(), 2);
}

// The save after a click writes the document only when something is left unsaved: a
// conversion has saved its documents already.
TEST_F(HostWindowTest, SaveWritesTheDocumentOnlyWhenItHoldsUnsavedChanges)
{
    HostProgram program;
    HostWindow *window = open(program);
    ASSERT_TRUE(window);
    auto fileBytes = [this] {
        QFile file(m_path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    {
        QFile file(m_path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("written by another save");
    }
    ASSERT_TRUE(window->save().ok());
    EXPECT_EQ(fileBytes(), "written by another save");

    auto &word = static_cast<word::Application &>(window->document()->application());
    word.selection()->setText(u"丁"_qs);
    ASSERT_TRUE(window->save().ok());
    EXPECT_TRUE(fileBytes().startsWith("PK"));
    EXPECT_TRUE(window->document()->saved());
}

TEST_F(HostWindowTest, UntickingRemovesTheControlsAndTickingBringsThemBack)
{
    HostProgram program;
    HostWindow *window = open(program);
    ASSERT_TRUE(window);
    officehost::AddInsDialog dialog(*program.addIns(), window);
    auto *list = dialog.findChild<QListWidget *>(u"addInList"_qs);
    ASSERT_TRUE(list);
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->checkState(), Qt::Checked);

    list->item(0)->setCheckState(Qt::Unchecked); // RemoveMode 1
    QCoreApplication::processEvents();
    EXPECT_FALSE(program.addIns()->addIns()[0].connected);
    EXPECT_FALSE(menuAction(*window, u"qelToolExpToGlyph"_qs));
    EXPECT_FALSE(savedBars()->item(u"構字符號"_qs));
    EXPECT_FALSE(savedBars()->findControl(u"qelToolHanziHelp"_qs));

    list->item(0)->setCheckState(Qt::Checked);
    QCoreApplication::processEvents();
    EXPECT_TRUE(program.addIns()->addIns()[0].connected);
    EXPECT_TRUE(menuAction(*window, u"qelToolExpToGlyph"_qs));
    EXPECT_TRUE(savedBars()->item(u"構字符號"_qs));
}

// The texts of the buttons of the question open now, and a click on the one with the text.
QStringList answerQuestion(const QString &answer)
{
    QStringList texts;
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box)
        return texts;
    for (QAbstractButton *button : box->buttons())
        texts.append(button->text());
    for (QAbstractButton *button : box->buttons()) {
        if (button->text() == answer)
            button->click();
    }
    return texts;
}

TEST_F(HostWindowTest, ClosingAChangedDocumentAsksInTheInterfacesLanguage)
{
    HostProgram program;
    HostWindow *window = open(program);
    ASSERT_TRUE(window);
    auto &word = static_cast<word::Application &>(window->document()->application());
    word.selection()->setText(u"丁"_qs);
    const QByteArray before = wordtest::fileBytes(m_path);

    QStringList buttons;
    QTimer::singleShot(0, [&] { buttons = answerQuestion(u"取消"_qs); });
    EXPECT_FALSE(window->close());
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{u"不儲存"_qs, u"儲存"_qs, u"取消"_qs}));
    EXPECT_EQ(program.windows().size(), 1);

    QTimer::singleShot(0, [&] { answerQuestion(u"不儲存"_qs); });
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(program.windows().isEmpty());
    EXPECT_EQ(wordtest::fileBytes(m_path), before);
}

TEST_F(HostWindowTest, WarningsAndTheAddInsListAnswerInTheInterfacesLanguage)
{
    QStringList buttons;
    QTimer::singleShot(0, [&] { buttons = answerQuestion(u"確定"_qs); });
    officehost::showWarning(nullptr, u"開啟"_qs, u"無法開啟"_qs);
    EXPECT_EQ(buttons, QStringList{u"確定"_qs});

    HostProgram program;
    ASSERT_TRUE(open(program));
    officehost::AddInsDialog dialog(*program.addIns());
    QStringList texts;
    for (QAbstractButton *button : dialog.findChild<QDialogButtonBox *>()->buttons())
        texts.append(button->text());
    EXPECT_EQ(texts, QStringList{u"關閉"_qs});
}

TEST_F(HostWindowTest, ClosingTheHostKeepsTheControlsForTheNextStart)
{
    {
        HostProgram program;
        ASSERT_TRUE(open(program));
    } // RemoveMode 0
    const auto bars = savedBars();
    EXPECT_TRUE(bars->item(u"構字符號"_qs));
    EXPECT_EQ(bars->item(u"Tools"_qs)->controlCount(), 3 + 5);

    // The next start finds them and adds nothing.
    HostProgram program;
    HostWindow *window = open(program);
    ASSERT_TRUE(window);
    EXPECT_EQ(savedBars()->item(u"Tools"_qs)->controlCount(), 3 + 5);
    EXPECT_EQ(savedBars()->item(u"構字符號"_qs)->controlCount(), 9);
    EXPECT_TRUE(window->clickTag(u"qelOperatorH"_qs).ok());
}

// The family that draws the character at a position of the view's text, as it lays it out.
QString familyDrawing(const QPlainTextEdit &view, int position)
{
    const QTextBlock block = view.document()->findBlock(position);
    const QList<QGlyphRun> runs = block.layout()->glyphRuns(position - block.position(), 1);
    return runs.isEmpty() ? QString() : runs.first().rawFont().familyName();
}

// A ☆ copy's missing character in its run's face, and an operator after a Chinese character
// in the component typeface of its run's style: our typefaces draw them, never a system font
// that maps the code to some other character.
TEST_F(HostWindowTest, PrivateUseCharactersAreDrawnInTheFacesOfTheirRuns)
{
    ASSERT_EQ(fonts::registerProgramFonts(MURVEL_PROGRAM_DIR), QStringList());
    const QString path = m_dir.filePath(u"star.docx"_qs);
    ASSERT_TRUE(wordtest::writeDocx(
        path,
        u"<w:p><w:r><w:t>左\uF6A5工</w:t></w:r><w:r><w:rPr><w:rFonts w:ascii=\"細明體外字集一\" "
        u"w:hAnsi=\"細明體外字集一\" w:eastAsia=\"細明體外字集一\"/></w:rPr>"
        u"<w:t>\uE000</w:t></w:r></w:p>"_qs));
    HostProgram program;
    ASSERT_TRUE(program.openDocument(path).ok());
    HostWindow *window = program.windows().value(0);
    ASSERT_TRUE(window);
    window->show();
    QCoreApplication::processEvents();
    auto *text = window->findChild<QPlainTextEdit *>(u"documentText"_qs);
    ASSERT_TRUE(text->toPlainText().startsWith(u"左\uF6A5工\uE000"_qs));
    const QString operatorFace = window->document()->faceAt(0, 1);
    EXPECT_EQ(familyDrawing(*text, 1), fonts::componentFamily(fonts::styleOf(operatorFace)))
        << operatorFace.toStdString();
    EXPECT_EQ(familyDrawing(*text, 3), u"細明體外字集一"_qs);
    EXPECT_NE(familyDrawing(*text, 0), familyDrawing(*text, 1));
}

} // namespace
