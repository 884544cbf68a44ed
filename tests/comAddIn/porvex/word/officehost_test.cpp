// The Word conversions as a user runs them: the host program officehost opens a .docx, the
// registered porvex add-in's control is clicked (--click), and the files it leaves are read
// back by the engine and by LibreOffice.
#include "platform/office/host/addinlibrary.h"
#include "platform/office/word/docx/docxdocument.h"
#include "platform/registry/registrystore.h"
#include "tests/comAddIn/porvex/word/wordrun.h"
#include "tests/platform/office/word/sampledocx.h"
#include "tests/support/childprocess.h"
#include "tests/support/libreoffice.h"
#include "tests/support/printqstring.h"
#include "tests/support/scopedenvironment.h"
#include "tests/support/smalldisk.h"
#include "vbprog/murvel/core/mainprogrampath.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

using namespace wordrun;

using word::docx::DocxDocument;

namespace
{

class OfficeHostTest : public WordRunTest
{
protected:
    void SetUp() override
    {
        WordRunTest::SetUp();
        m_environment.set("MURVEL_REGISTRY_DIR", m_host.filePath("registry").toUtf8());
        m_environment.set("MURVEL_OFFICE_CONFIG_DIR", m_host.filePath("office").toUtf8());
        m_environment.set("MURVEL_WINDOWS_DIR", m_windows.path().toUtf8());
        office::AddInLibrary library;
        ASSERT_TRUE(library.load(QStringLiteral(PORVEX_LIBRARY)))
            << library.errorString().toStdString();
        ASSERT_EQ(library.registerServer(), 0);
        registry::RegistryStore store;
        ASSERT_TRUE(store.setValue(registry::Root::LocalMachine, mainprogram::kAppPathsKey,
                                   QString(), m_program.filePath("murvel")));
    }

    // officehost --click tag file: its exit status, -1 when it did not finish.
    int click(const QString &tag, const QString &file)
    {
        QProcess host;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        host.setProcessEnvironment(environment);
        testsupport::endWithTest(host);
        host.start(QStringLiteral(OFFICEHOST), {"--click", tag, file});
        if (!host.waitForFinished(180000)) {
            host.kill();
            host.waitForFinished();
            return -1;
        }
        if (host.exitCode() != 0)
            ADD_FAILURE() << host.readAllStandardError().toStdString();
        return host.exitStatus() == QProcess::NormalExit ? host.exitCode() : -1;
    }

    static QString textOf(const QString &path)
    {
        auto opened = DocxDocument::open(path);
        return opened ? opened.value()->content()->text() : QString();
    }

    QTemporaryDir m_host;
    ScopedEnvironment m_environment;
};

TEST_F(OfficeHostTest, OnAFullDiskTheCopyThatFailedIsReportedFirstAndNothingIsLeft)
{
    const QString disk = pathOf("disk");
    ASSERT_TRUE(QDir().mkpath(disk));
    const QString source = QDir(disk).filePath("report.docx");
    const std::optional<QString> outcome = testsupport::runOnSmallDisk(disk, 256, [&] {
        if (!writeParagraphs(source, {"日" + Beside + "月"}))
            return QStringLiteral("no document");
        const QByteArray before = wordtest::fileBytes(source);
        if (!testsupport::fillDisk(disk))
            return QStringLiteral("no filler");
        QProcess host;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        host.setProcessEnvironment(environment);
        host.start(QStringLiteral(OFFICEHOST), {"--click", "qelToolExpToGlyph", source});
        host.waitForFinished(180000);
        const QStringList reported =
            QString::fromLocal8Bit(host.readAllStandardError())
                .split(u'\n')
                .filter(QRegularExpression(QStringLiteral("^officehost: ")));
        // Whatever follows (the host's own save of the unchanged source) comes after it.
        return reported.value(0) + u'|' + QDir(disk).entryList(QDir::Files).join(u',') + u'|' +
               (wordtest::fileBytes(source) == before ? u"kept"_qs : u"changed"_qs);
    });
    if (!outcome)
        GTEST_SKIP() << "this system mounts no file system for a test";
    EXPECT_EQ(*outcome, "officehost: 預覽文件無法寫入：無法儲存 " +
                            QDir(disk).filePath("report☆.docx") +
                            "：磁碟已滿|filler,report.docx|kept");
}

TEST_F(OfficeHostTest, TheToolsItemsWritePreviewCopiesAndBringPicturesBack)
{
    const QString eudc = "女" + Above + "子";
    const QString source = pathOf("report.docx");
    ASSERT_TRUE(writeParagraphs(source, {"甲日" + Beside + "月乙" + eudc + "丙"}));

    ASSERT_EQ(click("qelToolExpToGlyph", source), 0);
    auto glyphs = DocxDocument::open(pathOf("report☆.docx"));
    ASSERT_TRUE(glyphs) << glyphs.errorString().toStdString();
    EXPECT_EQ(glyphs.value()->protectionType(), word::ProtectionType::AllowOnlyComments);
    EXPECT_EQ(glyphs.value()->content()->text(), "甲明乙永丙\r");
    EXPECT_EQ(textOf(source), "甲明乙" + eudc + "丙\r");
    auto text = testsupport::convertWithLibreOffice(pathOf("report☆.docx"),
                                                    QStringLiteral("txt:Text (encoded):UTF8"));
    ASSERT_TRUE(text) << text.errorString().toStdString();
    EXPECT_TRUE(QString::fromUtf8(text->document).contains("甲明乙永丙"));

    ASSERT_EQ(click("qelToolExpToImg", source), 0);
    auto pictures = DocxDocument::open(pathOf("report★.docx"));
    ASSERT_TRUE(pictures) << pictures.errorString().toStdString();
    EXPECT_EQ(pictures.value()->protectionType(), word::ProtectionType::AllowOnlyComments);
    EXPECT_EQ(pictures.value()->content()->text(), "甲明乙\x01丙\r");
    ASSERT_EQ(pictures.value()->inlineShapes().count(), 1);
    EXPECT_EQ(pictures.value()->inlineShapes().item(1)->alternativeText(), "●＝" + eudc);

    // Unprotected and saved apart, the picture copy gives its formulas back.
    const QString unprotected = pathOf("pictures.docx");
    pictures.value()->unprotect();
    ASSERT_TRUE(pictures.value()->saveAs(unprotected));
    ASSERT_EQ(click("qelToolImgToExp", unprotected), 0);
    EXPECT_EQ(textOf(unprotected), "甲明乙" + eudc + "丙\r");
    auto restored =
        testsupport::convertWithLibreOffice(unprotected, QStringLiteral("txt:Text (encoded):UTF8"));
    ASSERT_TRUE(restored) << restored.errorString().toStdString();
    EXPECT_TRUE(QString::fromUtf8(restored->document).contains("甲明乙" + eudc + "丙"));
}

TEST_F(OfficeHostTest, AnOperatorButtonTypesAtTheCaret)
{
    const QString source = pathOf("report.docx");
    ASSERT_TRUE(writeParagraphs(source, {"日月"}));
    ASSERT_EQ(click("qelOperatorV", source), 0);
    EXPECT_EQ(textOf(source), Above + "日月\r");
}

} // namespace
