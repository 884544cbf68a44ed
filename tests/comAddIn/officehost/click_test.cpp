// The host program as a user runs it, with porvex and trivane registered in a private
// registry: a trigram and an operator typed at the caret through the shown toolbars and
// saved, and `officehost --click TAG FILE` for scripts.
#include "comAddIn/officehost/commandbarui.h"
#include "comAddIn/officehost/hostprogram.h"
#include "comAddIn/officehost/hostwindow.h"
#include "platform/office/powerpoint/pptxpresentation.h"
#include "platform/registry/registrystore.h"
#include "tests/comAddIn/officehost/registeredaddins.h"
#include "tests/platform/office/excel/sampleworkbook.h"
#include "tests/platform/office/powerpoint/samplepresentation.h"
#include "tests/support/childprocess.h"
#include "tests/support/libreoffice.h"
#include "tests/support/printqstring.h"
#include "tests/support/smalldisk.h"
#include "vbprog/murvel/core/mainprogrampath.h"

#include <QAction>
#include <QApplication>
#include <QDir>
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

    // Runs officehost with the arguments; its exit status, or -1 when it did not finish
    // (it is ended then).
    int runOfficeHost(const QStringList &arguments)
    {
        QProcess process;
        process.setProcessEnvironment(m_environment);
        testsupport::endWithTest(process);
        process.start(QStringLiteral(OFFICEHOST_PROGRAM), arguments);
        if (!process.waitForFinished(120'000)) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
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

// Writes a document of the kind whose name ends so; false when it cannot.
bool writeDocumentOfKind(const QString &path)
{
    if (path.endsWith(u".docx"))
        return wordtest::writeDocx(path, u"<w:p><w:r><w:t>甲乙丙</w:t></w:r></w:p>"_qs);
    if (path.endsWith(u".xlsx"))
        return writeSampleWorkbook(path);
    if (path.endsWith(u".pptx"))
        return writeSamplePresentation(path);
    QFile page(path);
    return page.open(QIODevice::WriteOnly) &&
           page.write("<html><body><p>甲乙丙</p></body></html>") > 0;
}

TEST_F(OfficeHostTest, EveryHostSavesAFileWhoseNameIsAsLongAsTheFileSystemAllows)
{
    for (const QString &extension : {u"docx"_qs, u"xlsx"_qs, u"pptx"_qs, u"html"_qs}) {
        const QString folder = m_dir.filePath(extension);
        ASSERT_TRUE(QDir().mkdir(folder));
        // 255 bytes, the most a name may have.
        const QString name = QString(255 - 1 - extension.size(), u'n') + u'.' + extension;
        const QString path = QDir(folder).filePath(name);
        // Written under a short name: the writers' own temporary names would not fit.
        const QString shortPath = QDir(folder).filePath(u"short."_qs + extension);
        ASSERT_TRUE(writeDocumentOfKind(shortPath)) << extension.toStdString();
        ASSERT_TRUE(QFile::rename(shortPath, path)) << extension.toStdString();
        const QByteArray before = wordtest::fileBytes(path);
        if (extension == u"pptx") {
            // The sample slide has no caret to type at: saved as the host saves it.
            auto presentation = office::powerpoint::PptxPresentation::open(path);
            ASSERT_TRUE(presentation.ok()) << presentation.errorString().toStdString();
            const auto saved = presentation.value()->saveAs(path, 0, 0);
            EXPECT_TRUE(saved.ok()) << saved.errorString().toStdString();
        } else {
            EXPECT_EQ(runOfficeHost({u"--click"_qs, u"坤"_qs, path}), 0)
                << extension.toStdString() << ": " << m_stderr.toStdString();
            EXPECT_NE(wordtest::fileBytes(path), before) << extension.toStdString();
        }
        // No temporary file is left beside it.
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System),
                  QStringList{name})
            << extension.toStdString();
    }
    const QString docx = m_dir.filePath(u"docx/"_qs + QString(250, u'n') + u".docx"_qs);
    EXPECT_TRUE(mainText(docx).startsWith(QString(QChar(0xEDC0)) + u"甲乙丙"_qs));
}

TEST_F(OfficeHostTest, AFailedSaveEndsTheClickWithStatusTwoAndKeepsTheFile)
{
    const QString disk = m_dir.filePath(u"disk"_qs);
    ASSERT_TRUE(QDir().mkpath(disk));
    const QString path = QDir(disk).filePath(u"report.docx"_qs);
    const std::optional<QString> outcome = testsupport::runOnSmallDisk(disk, 256, [&] {
        if (!QFile::copy(m_path, path) || !testsupport::fillDisk(disk))
            return u"no document or no filler"_qs;
        const QByteArray before = wordtest::fileBytes(path);
        // Without the fix the process would wait for an answer to its save question.
        const int status = runOfficeHost({u"--click"_qs, u"坤"_qs, path});
        return QString::number(status) + u'|' +
               (wordtest::fileBytes(path) == before ? u"kept"_qs : u"changed"_qs) + u'|' +
               QDir(disk).entryList(QDir::Files | QDir::Hidden).join(u',');
    });
    if (!outcome)
        GTEST_SKIP() << "this system mounts no file system for a test";
    EXPECT_EQ(*outcome, u"2|kept|filler,report.docx"_qs);
}

TEST_F(OfficeHostTest, AConversionWhosePreviewCannotBeWrittenIsAFailedClick)
{
    // The lookup fixture stands for the installed main program.
    ASSERT_TRUE(registry::RegistryStore().setValue(
        registry::Root::LocalMachine, mainprogram::kAppPathsKey, QString(),
        QStringLiteral(MURVEL_FIXTURE_DIR "/lookup/murvel")));
    m_environment.insert(u"MURVEL_WINDOWS_DIR"_qs, m_dir.filePath(u"windows"_qs));
    // The document's name fits; the preview copy's, three bytes longer ("☆"), does not.
    const QString folder = m_dir.filePath(u"long"_qs);
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString name = QString(249, u'p') + u".docx"_qs;
    const QString path = QDir(folder).filePath(name);
    ASSERT_TRUE(QFile::copy(m_path, path));
    const QByteArray before = wordtest::fileBytes(path);
    EXPECT_EQ(runOfficeHost({u"--click"_qs, u"qelToolExpToGlyph"_qs, path}), 1)
        << m_stderr.toStdString();
    EXPECT_TRUE(m_stderr.contains(u"預覽文件無法寫入"_qs)) << m_stderr.toStdString();
    EXPECT_EQ(wordtest::fileBytes(path), before);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{name});
}

} // namespace
