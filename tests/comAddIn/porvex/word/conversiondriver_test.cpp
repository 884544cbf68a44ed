#include "comAddIn/porvex/previewcopy.h"
#include "comAddIn/porvex/word/conversiondriver.h"
#include "tests/comAddIn/porvex/word/wordrun.h"
#include "tests/platform/office/word/sampledocx.h"
#include "tests/support/libreoffice.h"
#include "tests/support/printqstring.h"
#include "tests/support/smalldisk.h"
#include "tests/support/zipfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <functional>

using namespace wordrun;

using porvex::LookupEngine;
using word::HeaderFooterIndex;

namespace
{

using Mode = LookupEngine::ConversionMode;

TEST(PreviewCopyPath, TheLastExtensionGivesWayToTheMarkAndExtension)
{
    EXPECT_EQ(porvex::PreviewCopyPath("/d", "report.final.docx", "★.docx"),
              "/d/report.final★.docx");
    EXPECT_EQ(porvex::PreviewCopyPath("/d", "notes", "☆.docx"), "/d/notes☆.docx");
    EXPECT_EQ(porvex::PreviewCopyPath("/d", ".docx", "☆.docx"), "/d/.docx☆.docx");
}

// The stories of a document, each read through a fresh range.
struct Stories {
    QString main, footnote, endnote, comment, groupBox, nestedBox, vmlBox;
    QString primaryHeader, firstHeader, evenHeader, footer, headerBox, sectionOneHeader;

    static Stories of(word::Document &document)
    {
        word::Section &second = *document.sections().item(2);
        word::Shape &group = *document.shapes().item(1);
        word::Shape &nested = *group.groupItems().item(2);
        return {document.content()->text(),
                document.footnotes().item(1)->range()->text(),
                document.endnotes().item(1)->range()->text(),
                document.comments().item(1)->range()->text(),
                group.groupItems().item(1)->textFrame().textRange()->text(),
                nested.groupItems().item(1)->textFrame().textRange()->text(),
                document.shapes().item(2)->textFrame().textRange()->text(),
                second.headers(HeaderFooterIndex::Primary).range()->text(),
                second.headers(HeaderFooterIndex::FirstPage).range()->text(),
                second.headers(HeaderFooterIndex::EvenPages).range()->text(),
                second.footers(HeaderFooterIndex::Primary).range()->text(),
                second.headers(HeaderFooterIndex::Primary)
                    .shapes()
                    .item(1)
                    ->textFrame()
                    .textRange()
                    ->text(),
                document.sections().item(1)->headers(HeaderFooterIndex::Primary).range()->text()};
    }
};

void replaceIn(std::unique_ptr<word::Range> range, const QString &text, const QString &by)
{
    word::FindOptions find;
    find.text = text;
    ASSERT_TRUE(range->find(find)) << text.toStdString();
    range->setText(by);
}

// A document with formulas in every story: the main text (one of them hidden, one in a
// table), a footnote, an endnote, a comment, text boxes in a group and in a group nested
// in it, a VML text box, a first-page, an even-page and a primary header, a footer, a
// header's text box, and the first section's header. Written by the engine.
class DocumentRunTest : public WordRunTest
{
protected:
    void SetUp() override
    {
        WordRunTest::SetUp();
        const QString path = pathOf("report.docx");
        ASSERT_TRUE(wordtest::writeSampleDocx(path));
        word::Document *document = open(path);
        ASSERT_NE(document, nullptr);
        const QString ming = "日" + Beside + "月";
        replaceIn(document->content(), "口" + Beside + "木", ming);
        replaceIn(document->content(), "丙" + Above + "丁", Eudc);
        replaceIn(document->content(), "cell" + Around + "text", "cell女" + Beside + "子text");
        replaceIn(document->footnotes().item(1)->range(), "note" + Beside + "text",
                  "note" + Thrice + "水text");
        replaceIn(document->endnotes().item(1)->range(), "end note", "end " + Bracketed);
        replaceIn(document->comments().item(1)->range(), "remark" + Above + "here",
                  "remark" + Longer + "here");
        word::Shape &group = *document->shapes().item(1);
        replaceIn(group.groupItems().item(1)->textFrame().textRange(), "box" + Beside + "one",
                  "box" + ming + "one");
        replaceIn(group.groupItems().item(2)->groupItems().item(1)->textFrame().textRange(),
                  "inner" + Above + "two", "inner" + Eudc + "two");
        replaceIn(document->shapes().item(2)->textFrame().textRange(), "vml text", "vml" + ming);
        word::Section &second = *document->sections().item(2);
        replaceIn(second.headers(HeaderFooterIndex::Primary).range(), "primary header",
                  "primary" + ming);
        replaceIn(second.headers(HeaderFooterIndex::FirstPage).range(), "first header",
                  "first" + ming);
        replaceIn(second.headers(HeaderFooterIndex::EvenPages).range(), "even header",
                  "even女" + Beside + "子");
        replaceIn(second.footers(HeaderFooterIndex::Primary).range(), "primary footer",
                  "footer" + Bracketed);
        replaceIn(
            second.headers(HeaderFooterIndex::Primary).shapes().item(1)->textFrame().textRange(),
            "header box", "header" + Eudc);
        replaceIn(document->sections().item(1)->headers(HeaderFooterIndex::Primary).range(),
                  "section one header", "section" + Thrice + "水");
        ASSERT_TRUE(document->save());
    }

    word::Document *source() { return document("report.docx"); }

    const QString Eudc = "女" + Above + "子";
    const QString Longer = "子" + Above + "日" + Beside + "月";
    const QString Bracketed = Open + "日月" + Close;
};

// The converted copy and the source, story by story.
void expectConverted(const Stories &copy, const Stories &source, const QString &eudcGlyph,
                     const QString &eudc, const QString &longer, const QString &bracketed)
{
    EXPECT_TRUE(copy.main.startsWith("甲明乙" + eudcGlyph + "tail\r")) << copy.main.toStdString();
    EXPECT_TRUE(copy.main.contains("cell好text"));
    EXPECT_TRUE(copy.footnote.contains("note淼text"));
    EXPECT_TRUE(copy.endnote.contains("end \uE101"));
    EXPECT_TRUE(copy.comment.contains("remark泳here") || copy.comment.contains("remark\x01here"));
    EXPECT_EQ(copy.groupBox, "box明one\r");
    EXPECT_EQ(copy.nestedBox, "inner" + eudcGlyph + "two\r");
    EXPECT_EQ(copy.vmlBox, "vml明\r");
    EXPECT_TRUE(copy.primaryHeader.contains("primary明"));
    EXPECT_EQ(copy.firstHeader, "first明\r");
    EXPECT_EQ(copy.evenHeader, "even好\r");
    EXPECT_EQ(copy.footer, "footer\uE101\r");
    EXPECT_EQ(copy.headerBox, "header" + eudcGlyph + "\r");
    EXPECT_EQ(copy.sectionOneHeader, "section淼\r");

    // The source takes the ordinary glyphs and nothing else.
    EXPECT_TRUE(source.main.startsWith("甲明乙" + eudc + "tail\r"));
    EXPECT_TRUE(source.main.contains("cell好text"));
    EXPECT_TRUE(source.footnote.contains("note淼text"));
    EXPECT_TRUE(source.endnote.contains("end " + bracketed));
    EXPECT_TRUE(source.comment.contains("remark" + longer + "here"));
    EXPECT_EQ(source.groupBox, "box明one\r");
    EXPECT_EQ(source.nestedBox, "inner" + eudc + "two\r");
    EXPECT_EQ(source.firstHeader, "first明\r");
    EXPECT_EQ(source.evenHeader, "even好\r");
    EXPECT_EQ(source.footer, "footer" + bracketed + "\r");
    EXPECT_EQ(source.headerBox, "header" + eudc + "\r");
    EXPECT_EQ(source.sectionOneHeader, "section淼\r");
}

// The copy as LibreOffice reads it: its OpenDocument content and styles.
QString openDocumentOf(const QString &path, QString *styles)
{
    auto converted = testsupport::convertWithLibreOffice(path, QStringLiteral("odt"));
    if (!converted)
        return QString();
    const QString odt = QFileInfo(path).dir().filePath("converted.odt");
    QFile file(odt);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(converted->document);
    file.close();
    QString content;
    for (const auto &[name, data] : testsupport::readZip(odt)) {
        if (name == QLatin1String("content.xml"))
            content = QString::fromUtf8(data);
        else if (name == QLatin1String("styles.xml"))
            *styles = QString::fromUtf8(data);
    }
    return content;
}

// The text of OpenDocument XML, without its elements.
QString textOf(QString xml)
{
    return xml.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
}

TEST_F(DocumentRunTest, EveryStoryOfTheGlyphCopyIsConvertedAndTheCopyIsProtected)
{
    porvex::ConvertDocumentToGlyphs(m_word, context());
    const QString copyPath = pathOf("report☆.docx");
    word::Document *copy = m_word.activeDocument();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->fullName(), copyPath) << "the copy, opened last, is active";
    EXPECT_EQ(m_word.statusBar(), "構字式轉換完畢");
    EXPECT_TRUE(m_word.screenUpdating());
    EXPECT_EQ(m_word.cursor(), office::HostApplication::Cursor::Normal);

    expectConverted(Stories::of(*copy), Stories::of(*source()), "永", Eudc, Longer, Bracketed);
    EXPECT_EQ(copy->protectionType(), word::ProtectionType::AllowOnlyComments);
    EXPECT_FALSE(copy->bookmarks().exists("qel_900528"));
    EXPECT_TRUE(copy->saved());
    EXPECT_TRUE(source()->saved());

    // What is on disk: the copy protected and converted, the source with its replacements.
    auto reopenedCopy = word::docx::DocxDocument::open(copyPath);
    ASSERT_TRUE(reopenedCopy);
    EXPECT_EQ(reopenedCopy.value()->protectionType(), word::ProtectionType::AllowOnlyComments);
    auto reopenedSource = word::docx::DocxDocument::open(pathOf("report.docx"));
    ASSERT_TRUE(reopenedSource);
    expectConverted(Stories::of(*reopenedCopy.value()), Stories::of(*reopenedSource.value()), "永",
                    Eudc, Longer, Bracketed);

    QString styles;
    const QString content = openDocumentOf(copyPath, &styles);
    const QString text = textOf(content);
    EXPECT_TRUE(text.contains("甲明乙")) << text.toStdString();
    EXPECT_TRUE(text.contains("note淼text"));
    EXPECT_TRUE(text.contains("inner永two"));
    EXPECT_TRUE(text.contains("remark泳here"));
    EXPECT_TRUE(content.contains("細明體外字集三")) << "the glyph's typeface";
    const QString headers = textOf(styles);
    EXPECT_TRUE(headers.contains("first明"));
    EXPECT_TRUE(headers.contains("even好"));
    EXPECT_TRUE(headers.contains("header永"));
}

TEST_F(DocumentRunTest, ThePictureCopyHoldsGlyphPicturesWithTheirFormulas)
{
    porvex::ConvertDocumentToPictures(m_word, context());
    const QString copyPath = pathOf("report★.docx");
    word::Document *copy = document("report★.docx");
    ASSERT_NE(copy, nullptr);
    expectConverted(Stories::of(*copy), Stories::of(*source()), "\x01", Eudc, Longer, Bracketed);
    ASSERT_GE(copy->inlineShapes().count(), 1);
    EXPECT_EQ(copy->inlineShapes().item(1)->alternativeText(), "●＝" + Eudc);

    QString styles;
    const QString content = openDocumentOf(copyPath, &styles);
    EXPECT_TRUE(content.contains("<svg:desc>●＝" + Eudc + "</svg:desc>"))
        << "the picture's alternative text";
    EXPECT_TRUE(content.contains("<draw:image")) << "the picture";
    EXPECT_TRUE(textOf(content).contains("甲明乙"));
    EXPECT_TRUE(styles.contains("<svg:desc>●＝" + Eudc + "</svg:desc>")) << "the header's box";
}

TEST_F(DocumentRunTest, ASecondRunReplacesTheCopyThatIsStillOpen)
{
    porvex::ConvertDocumentToGlyphs(m_word, context());
    word::Document *first = document("report☆.docx");
    ASSERT_NE(first, nullptr);

    // Started again from the copy, the run is refused: the copy is protected.
    porvex::ConvertDocumentToGlyphs(m_word, context());
    EXPECT_EQ(m_messages,
              QStringList{"構字式轉成字形: 請回到原始文件或解除文件保護後，再轉換構字式"});

    // From the source, reopened, it writes the copy again while the first is open.
    ASSERT_TRUE(m_word.documents().close(source(), false));
    ASSERT_NE(open(pathOf("report.docx")), nullptr);
    porvex::ConvertDocumentToGlyphs(m_word, context());
    EXPECT_EQ(m_word.statusBar(), "構字式轉換完畢");
    int copies = 0;
    for (int i = 1; i <= m_word.documents().count(); ++i)
        copies += m_word.documents().item(i)->fullName() == pathOf("report☆.docx");
    EXPECT_EQ(copies, 1) << "the earlier copy was closed";
    EXPECT_FALSE(QFile::exists(pathOf("~report.tmp")));
    EXPECT_EQ(QDir(m_documents.path()).entryList(QDir::Files).size(), 2);
    EXPECT_TRUE(Stories::of(*document("report☆.docx")).main.startsWith("甲明乙永"));
}

TEST_F(WordRunTest, ADottedNameGetsItsCopyBesideIt)
{
    ASSERT_NE(openParagraphs({"日" + Beside + "月"}, "report.final.docx"), nullptr);
    porvex::ConvertDocumentToPictures(m_word, context());
    ASSERT_TRUE(QFile::exists(pathOf("report.final★.docx")));
    EXPECT_EQ(m_word.activeDocument()->content()->text(), "明\r");
    auto text = testsupport::convertWithLibreOffice(pathOf("report.final★.docx"),
                                                    QStringLiteral("txt:Text (encoded):UTF8"));
    ASSERT_TRUE(text) << text.errorString().toStdString();
    EXPECT_TRUE(QString::fromUtf8(text->document).contains("明"));
}

TEST_F(WordRunTest, WithoutTheGlyphDatabaseNoCopyIsMadeAndTheStatusBarSaysWhy)
{
    const QString formula = "日" + Beside + "月";
    ASSERT_NE(openParagraphs({formula}), nullptr);
    porvex::ConversionContext withoutEntry = context();
    withoutEntry.programFolder.clear();
    EXPECT_TRUE(porvex::ConvertDocumentToGlyphs(m_word, withoutEntry).ok())
        << "no main program is nothing to convert, not a failure";
    EXPECT_TRUE(m_word.statusBar().contains("未轉換")) << m_word.statusBar().toStdString();
    EXPECT_FALSE(QFile::exists(pathOf("report☆.docx")));

    ASSERT_TRUE(QFile::remove(m_program.filePath("murvel.mdb")));
    const platform::Result<bool> converted = porvex::ConvertDocumentToGlyphs(m_word, context());
    EXPECT_FALSE(converted.ok());
    EXPECT_EQ(converted.errorString(), m_word.statusBar());
    EXPECT_TRUE(m_word.statusBar().startsWith("字庫無法開啟，構字式未轉換："));
    EXPECT_TRUE(m_word.statusBar().contains("murvel.mdb")) << m_word.statusBar().toStdString();
    EXPECT_FALSE(QFile::exists(pathOf("report☆.docx")));
    EXPECT_TRUE(m_word.screenUpdating());
    EXPECT_EQ(m_word.cursor(), office::HostApplication::Cursor::Normal);
    EXPECT_EQ(m_word.activeDocument()->content()->text(), formula + "\r");
}

TEST_F(WordRunTest, ASourceThatCannotBeSavedStopsTheRunAndGivesTheHostBack)
{
    word::Document *source = openParagraphs({"日" + Beside + "月"});
    ASSERT_NE(source, nullptr);
    source->content()->insertAfter("changed");
    ASSERT_FALSE(source->saved());
    ASSERT_TRUE(QDir(m_documents.path()).removeRecursively());

    const platform::Result<bool> converted = porvex::ConvertDocumentToGlyphs(m_word, context());
    EXPECT_FALSE(converted.ok());
    EXPECT_EQ(converted.errorString(), m_word.statusBar());
    EXPECT_TRUE(m_word.statusBar().startsWith("文件無法儲存，構字式未轉換："))
        << m_word.statusBar().toStdString();
    EXPECT_TRUE(m_word.screenUpdating());
    EXPECT_EQ(m_word.cursor(), office::HostApplication::Cursor::Normal);
    EXPECT_EQ(m_word.documents().count(), 1);
    EXPECT_FALSE(porvex::ConversionRun::inProgress()) << "the run ended";
}

TEST_F(WordRunTest, OnAFullDiskNoCopyIsLeftAndTheFirstFailureIsReported)
{
    const QString disk = pathOf("disk");
    ASSERT_TRUE(QDir().mkpath(disk));
    const std::optional<QString> outcome = testsupport::runOnSmallDisk(disk, 256, [&] {
        const QString path = QDir(disk).filePath("report.docx");
        if (!writeParagraphs(path, {"日" + Beside + "月"}) || open(path) == nullptr)
            return QStringLiteral("no document to convert");
        const QByteArray before = wordtest::fileBytes(path);
        if (!testsupport::fillDisk(disk))
            return QStringLiteral("no filler");
        const platform::Result<bool> converted = porvex::ConvertDocumentToGlyphs(m_word, context());
        return converted.errorString() + u'|' + m_word.statusBar() + u'|' +
               QDir(disk).entryList(QDir::Files).join(u',') + u'|' +
               (wordtest::fileBytes(path) == before ? u"kept"_qs : u"changed"_qs);
    });
    if (!outcome)
        GTEST_SKIP() << "this system mounts no file system for a test";
    const QString failure =
        "預覽文件無法寫入：無法儲存 " + QDir(disk).filePath("report☆.docx") + "：磁碟已滿";
    EXPECT_EQ(*outcome, failure + u'|' + failure + u"|filler,report.docx|kept"_qs);
}

} // namespace

namespace
{

// A chooser whose user clicks the Tools item again while it is open, then picks.
class ClickingAgainPicker : public porvex::CandidatePicker
{
public:
    std::function<void()> clickAgain;
    int choose(const QString &, const QList<porvex::Candidate> &) override
    {
        clickAgain();
        return 0;
    }
};

TEST_F(WordRunTest, AnUnsavedSourceIsSavedFirstAndASecondClickDuringTheRunIsIgnored)
{
    word::Document *source = openParagraphs({"女" + Around + "子"});
    ASSERT_NE(source, nullptr);
    auto start = source->content();
    start->setRange(0, 0);
    start->insertAfter("日" + Beside + "月，");
    ASSERT_FALSE(source->saved());

    ClickingAgainPicker picker;
    porvex::ConversionContext run = context();
    run.picker = &picker;
    int documentsDuringChoice = 0;
    picker.clickAgain = [&] {
        porvex::ConvertDocumentToPictures(m_word, run);
        documentsDuringChoice = m_word.documents().count();
    };
    porvex::ConvertDocumentToGlyphs(m_word, run);
    EXPECT_EQ(documentsDuringChoice, 2) << "no second copy was begun";
    EXPECT_FALSE(QFile::exists(pathOf("report★.docx")));
    EXPECT_EQ(m_word.activeDocument()->content()->text(), "明，好\r");
    auto saved = word::docx::DocxDocument::open(pathOf("report.docx"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved.value()->content()->text(), "明，好\r")
        << "the source was saved before the copy, and again with its replacements";
}

} // namespace
