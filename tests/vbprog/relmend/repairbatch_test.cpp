#include "tests/platform/office/word/sampledocx.h"
#include "tests/support/childprocess.h"
#include "tests/support/libreoffice.h"
#include "tests/support/printqstring.h"
#include "tests/support/rawfilename.h"
#include "tests/vbprog/relmend/repairchecks.h"
#include "tests/vbprog/toolkit/recordingobserver.h"
#include "vbprog/relmend/repairbatch.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using relmend::RepairBatch;
using relmendtest::privateUseMarks;

namespace
{

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class RepairBatchTest : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return m_folder.filePath(name); }

    QTemporaryDir m_folder;
    toolkittest::RecordingObserver m_observer;
};

TEST_F(RepairBatchTest, AFolderRunOpensOnlyItsWordDocumentsAndCountsTheRest)
{
    ASSERT_TRUE(wordtest::writeSampleDocx(path("a.docx")));
    ASSERT_TRUE(wordtest::writeSampleDocx(path("B.DOCX")));
    writeFile(path("notes.txt"), "\xEE\x80\x80 plain text");
    writeFile(path("old.doc"), "binary");
    ASSERT_TRUE(QDir(m_folder.path()).mkdir("sub"));
    ASSERT_TRUE(wordtest::writeSampleDocx(path("sub/inner.docx")));
    const QByteArray inner = wordtest::fileBytes(path("sub/inner.docx"));
    // Hidden files and files whose names no path can spell are left alone, the latter named.
    ASSERT_TRUE(wordtest::writeSampleDocx(path(".hidden.docx")));
    const QByteArray hidden = wordtest::fileBytes(path(".hidden.docx"));
    ASSERT_TRUE(testsupport::writeFileNamedInBytes(m_folder.path(), "bad\xFF\xFE.docx", hidden));

    const RepairBatch::Result result = RepairBatch(m_observer).run(m_folder.path() + "/");
    EXPECT_EQ(result.repaired, 2);
    EXPECT_EQ(result.skipped, 2);
    EXPECT_TRUE(result.failures.isEmpty());
    EXPECT_EQ(privateUseMarks(path("a.docx")).unmarked, 0);
    EXPECT_EQ(privateUseMarks(path("B.DOCX")).unmarked, 0);
    // Other files and subfolders are left as they were.
    EXPECT_EQ(wordtest::fileBytes(path("notes.txt")), "\xEE\x80\x80 plain text");
    EXPECT_EQ(wordtest::fileBytes(path("old.doc")), "binary");
    EXPECT_EQ(wordtest::fileBytes(path("sub/inner.docx")), inner);
    EXPECT_EQ(wordtest::fileBytes(path(".hidden.docx")), hidden);
    EXPECT_EQ(testsupport::readFileNamedInBytes(m_folder.path(), "bad\xFF\xFE.docx"), hidden);
    EXPECT_EQ(m_observer.count, 2);
    EXPECT_EQ(m_observer.message(), " 修復完畢，略過 2 個非 Word 檔案，"
                                    "1 個檔案的檔名無法辨識，未修復：bad\\xFF\\xFE.docx");
    EXPECT_TRUE(m_observer.messages.contains(" 檔案 B.DOCX 修復中..."));
    EXPECT_EQ(m_observer.messages.first(), " 開始修復...");
}

TEST_F(RepairBatchTest, ADocumentThatCannotBeOpenedIsReportedAndTheBatchGoesOn)
{
    writeFile(path("a.docx"), "not a zip");
    ASSERT_TRUE(wordtest::writeSampleDocx(path("b.docx")));
    writeFile(path("c.docx"), "");
    const RepairBatch::Result result = RepairBatch(m_observer).run(m_folder.path());
    EXPECT_EQ(result.repaired, 1);
    EXPECT_EQ(privateUseMarks(path("b.docx")).unmarked, 0);
    ASSERT_EQ(result.failures.size(), 2);
    EXPECT_TRUE(result.failures[0].startsWith("a.docx：無法開啟 " + path("a.docx") + "："));
    EXPECT_TRUE(result.failures[1].startsWith("c.docx：無法開啟 " + path("c.docx") + "："));
    EXPECT_TRUE(
        m_observer.messages.contains(" 檔案 a.docx 無法修復：" + result.failures[0].mid(7)));
    // The end names them both, though later messages took the place of each.
    EXPECT_EQ(m_observer.message(),
              " 修復完畢，2 個檔案無法修復：" + result.failures.join(QStringLiteral("；")));
}

TEST_F(RepairBatchTest, DocumentsNestedPastTheLimitAreReportedAndLeftAsTheyWere)
{
    for (const auto &[name, nesting, depth] :
         {std::tuple{"a.docx", wordtest::Nesting::Tables, 20000},
          {"b.docx", wordtest::Nesting::Hyperlinks, 50000}})
        ASSERT_TRUE(
            wordtest::writeDocx(path(name), wordtest::nestedBody(nesting, depth, "\uE000")));
    const QByteArray hostile = wordtest::fileBytes(path("a.docx"));
    ASSERT_TRUE(wordtest::writeSampleDocx(path("c.docx")));
    const RepairBatch::Result result = RepairBatch(m_observer).run(m_folder.path());
    EXPECT_EQ(result.failures.size(), 2);
    EXPECT_EQ(result.repaired, 1);
    EXPECT_EQ(privateUseMarks(path("c.docx")).unmarked, 0);
    EXPECT_EQ(wordtest::fileBytes(path("a.docx")), hostile);
    EXPECT_TRUE(m_observer.messages.contains(
        " 檔案 b.docx 無法修復：無法開啟 " + path("b.docx") +
        "：文件中的 word/document.xml 層層套疊超過 1000 層，檔案已損毀"))
        << m_observer.messages.join(u'\n').toStdString();
    EXPECT_TRUE(m_observer.message().startsWith(" 修復完畢，2 個檔案無法修復：a.docx：無法開啟 "))
        << m_observer.message().toStdString();
}

TEST_F(RepairBatchTest, AStopEndsTheBatchWithoutCountingTheDocumentOrOpeningTheNext)
{
    ASSERT_TRUE(wordtest::writeSampleDocx(path("a.docx")));
    ASSERT_TRUE(wordtest::writeSampleDocx(path("b.docx")));
    const QByteArray before = wordtest::fileBytes(path("b.docx"));
    // A document opened after the stop would say so, repaired or not.
    writeFile(path("c.docx"), "not a zip");
    // The stop comes at the first hit of the first document's main text.
    m_observer.stopAt = toolkittest::stopAtPace(3);
    const RepairBatch::Result result = RepairBatch(m_observer).run(m_folder.path());
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.repaired, 0);
    EXPECT_EQ(m_observer.count, std::nullopt);
    EXPECT_EQ(m_observer.message(), " 使用者中斷");
    EXPECT_EQ(wordtest::fileBytes(path("b.docx")), before);
    EXPECT_TRUE(result.failures.isEmpty()) << result.failures.join(u'\n').toStdString();
    for (const QString &message : m_observer.messages)
        EXPECT_FALSE(message.contains("b.docx") || message.contains("c.docx"))
            << message.toStdString();
}

TEST_F(RepairBatchTest, ASourceThatIsMissingOrNoWordDocumentIsReported)
{
    RepairBatch batch(m_observer);
    EXPECT_EQ(batch.run(path("gone.docx")).failures.size(), 1);
    EXPECT_EQ(m_observer.message(), " 找不到檔案或目錄：" + path("gone.docx"));
    writeFile(path("notes.txt"), "text");
    EXPECT_EQ(batch.run(path("notes.txt")).skipped, 1);
    EXPECT_EQ(wordtest::fileBytes(path("notes.txt")), "text");
}

// A FIFO would hold the batch in the engine's read, a device would fill memory: each is
// named as not repaired, unread. The batch runs in a child, which is ended if it hangs.
TEST_F(RepairBatchTest, ADocumentThatIsNoRegularFileIsNamedUnread)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo.docx")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", path("zero.docx")));
    const std::optional<QString> said = testsupport::runInChild(
        [] { return true; },
        [&] {
            QStringList outcomes;
            for (const char *name : {"fifo.docx", "zero.docx"})
                outcomes.append(RepairBatch(m_observer).run(path(name)).failures.join(u'/'));
            return outcomes.join(u'\n');
        },
        120);
    ASSERT_TRUE(said);
    const QString special = QStringLiteral("%1：無法讀取 %2：這不是一般的檔案");
    EXPECT_EQ(*said, special.arg("fifo.docx", path("fifo.docx")) + u'\n' +
                         special.arg("zero.docx", path("zero.docx")));
}

// The typeface families that a text style of LibreOffice's flat document gives, western
// and Asian: the style names font declarations, which name the families.
QPair<QString, QString> typefacesOf(const QString &flat, const QString &styleName)
{
    auto element = [&flat](const QString &start, qsizetype from = 0) {
        const qsizetype at = flat.indexOf(start, from);
        return at < 0 ? QString() : flat.mid(at, flat.indexOf(u'>', at) - at);
    };
    auto attribute = [](const QString &inElement, const QString &name) {
        const qsizetype at = inElement.indexOf(name + QStringLiteral("=\""));
        if (at < 0)
            return QString();
        const qsizetype value = at + name.size() + 2;
        return inElement.mid(value, inElement.indexOf(u'"', value) - value);
    };
    const qsizetype style = flat.indexOf(
        QStringLiteral("<style:style style:name=\"%1\" style:family=\"text\">").arg(styleName));
    const QString properties = element(QStringLiteral("<style:text-properties"), style);
    auto family = [&](const QString &name) {
        const QString declaration = attribute(properties, name);
        const QString face =
            element(QStringLiteral("<style:font-face style:name=\"%1\"").arg(declaration));
        return attribute(face, QStringLiteral("svg:font-family")).remove(QStringLiteral("&apos;"));
    };
    return {family(QStringLiteral(" style:font-name")),
            family(QStringLiteral(" style:font-name-asian"))};
}

TEST_F(RepairBatchTest, LibreOfficeDrawsTheRepairedCharactersInTheEastAsianTypeface)
{
    // Private-use characters in the main text, a table, a footnote, an endnote, a comment
    // and the text boxes of nested groups, in runs that name a Latin typeface for Latin
    // text and 標楷體 or 新細明體 for East Asian text.
    const QString document = path("repair.docx");
    ASSERT_TRUE(wordtest::writeSampleDocx(document));
    ASSERT_EQ(RepairBatch(m_observer).run(document).repaired, 1);

    auto converted = testsupport::convertWithLibreOffice(document, QStringLiteral("fodt"));
    ASSERT_TRUE(converted);
    const QString flat = QString::fromUtf8(converted.value().document);
    const qsizetype total = flat.count(QRegularExpression(QStringLiteral("[\uE000-\uF848]")));
    EXPECT_GE(total, 7);
    // Each one is a span of its own whose western typeface is the East Asian one.
    const QRegularExpression spanned(
        QStringLiteral("<text:span text:style-name=\"([^\"]+)\">([\uE000-\uF848]+)</text:span>"));
    qsizetype inEastAsianTypeface = 0;
    for (const QRegularExpressionMatch &match : spanned.globalMatch(flat)) {
        const auto [western, asian] = typefacesOf(flat, match.captured(1));
        EXPECT_EQ(western, asian) << match.captured(1).toStdString();
        EXPECT_TRUE(asian == QStringLiteral("標楷體") || asian == QStringLiteral("新細明體"))
            << asian.toStdString();
        inEastAsianTypeface += match.captured(2).size();
    }
    EXPECT_EQ(inEastAsianTypeface, total);
}

} // namespace
