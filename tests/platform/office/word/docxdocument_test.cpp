#include "platform/office/word/docx/docxdocument.h"
#include "platform/office/word/docx/wordapplication.h"
#include "tests/platform/office/word/sampledocx.h"
#include "tests/support/zipfile.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using word::CollapseDirection;
using word::FindOptions;
using word::HeaderFooterIndex;
using word::ProtectionType;
using word::Shape;
using word::docx::DocxDocument;

namespace
{

using wordtest::fileBytes;

class DocxDocumentTest : public wordtest::SampleDocxTest
{
protected:
    // Every shape that is no group, groups opened, as the conversions collect them.
    static QStringList shapeTexts(word::Collection<Shape> &shapes)
    {
        QStringList texts;
        for (int i = 1; i <= shapes.count(); ++i) {
            Shape *shape = shapes.item(i);
            if (shape->type() == Shape::Type::Group)
                texts += shapeTexts(shape->groupItems());
            else if (shape->textFrame().hasText())
                texts += shape->textFrame().textRange()->text();
        }
        return texts;
    }

    QString writeBitmap(const QString &name, int dotsPerInch)
    {
        QImage image(20, 30, QImage::Format_RGB32);
        image.fill(Qt::white);
        image.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
        image.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
        const QString path = m_folder.filePath(name);
        EXPECT_TRUE(image.save(path, "BMP"));
        return path;
    }
};

} // namespace

TEST_F(DocxDocumentTest, NotesAndCommentsAreStoriesOfTheirOwnWithoutSeparators)
{
    ASSERT_EQ(m_document->footnotes().count(), 1);
    EXPECT_EQ(m_document->footnotes().item(1)->range()->text(),
              QStringLiteral("\x02 note\uF6A4text\r"));
    EXPECT_EQ(m_document->footnotes().item(1)->range()->storyType(), word::StoryType::Footnotes);
    ASSERT_EQ(m_document->endnotes().count(), 1);
    EXPECT_EQ(m_document->endnotes().item(1)->range()->text(), QStringLiteral("\x02 end note\r"));
    ASSERT_EQ(m_document->comments().count(), 1);
    EXPECT_EQ(m_document->comments().item(1)->range()->text(),
              QStringLiteral("remark\uF6A3here\r"));
    EXPECT_EQ(m_document->footnotes().item(2), nullptr);
}

TEST_F(DocxDocumentTest, ShapesGroupsAndNestedGroupsWithTextFrames)
{
    auto &shapes = m_document->shapes();
    ASSERT_EQ(shapes.count(), 2);
    Shape *group = shapes.item(1);
    EXPECT_EQ(group->type(), Shape::Type::Group);
    ASSERT_EQ(group->groupItems().count(), 2);
    EXPECT_EQ(group->groupItems().item(1)->type(), Shape::Type::TextBox);
    EXPECT_EQ(group->groupItems().item(2)->type(), Shape::Type::Group);
    EXPECT_FALSE(group->textFrame().hasText());
    EXPECT_EQ(shapes.item(2)->type(), Shape::Type::TextBox); // the VML text box
    EXPECT_EQ(shapeTexts(shapes),
              (QStringList{QStringLiteral("box\uF6A4one\r"), QStringLiteral("inner\uF6A3two\r"),
                           QStringLiteral("vml text\r")}));
}

TEST_F(DocxDocumentTest, EditingATextBoxDropsItsStaleFallbackAndKeepsTheEdit)
{
    auto text = m_document->shapes().item(1)->groupItems().item(1)->textFrame().textRange();
    FindOptions options;
    options.text = QStringLiteral("\uF6A4");
    ASSERT_TRUE(text->find(options));
    text->setText(QStringLiteral("\uE000"));
    ASSERT_TRUE(m_document->save());
    const QString xml =
        QString::fromUtf8(wordtest::zipEntry(m_path, QStringLiteral("word/document.xml")));
    EXPECT_FALSE(xml.contains(QStringLiteral("mc:Fallback")));
    open();
    EXPECT_EQ(shapeTexts(m_document->shapes()).first(), QStringLiteral("box\uE000one\r"));
}

TEST_F(DocxDocumentTest, SectionsHeadersAndFootersFollowTheirKindsAndInheritance)
{
    auto &sections = m_document->sections();
    ASSERT_EQ(sections.count(), 2);
    auto text = [&](int section, bool header, HeaderFooterIndex kind) {
        word::Section *s = sections.item(section);
        return (header ? s->headers(kind) : s->footers(kind)).range()->text();
    };
    EXPECT_EQ(text(1, true, HeaderFooterIndex::Primary), QStringLiteral("section one header\r"));
    EXPECT_EQ(text(1, true, HeaderFooterIndex::FirstPage), QString());
    EXPECT_EQ(text(1, false, HeaderFooterIndex::Primary), QString());
    EXPECT_EQ(text(2, true, HeaderFooterIndex::Primary), QStringLiteral("\x01primary header\r"));
    EXPECT_EQ(text(2, true, HeaderFooterIndex::FirstPage), QStringLiteral("first header\r"));
    EXPECT_EQ(text(2, true, HeaderFooterIndex::EvenPages), QStringLiteral("even header\r"));
    EXPECT_EQ(text(2, false, HeaderFooterIndex::Primary), QStringLiteral("primary footer\r"));
    EXPECT_FALSE(sections.item(1)->pageSetup().differentFirstPageHeaderFooter());
    EXPECT_TRUE(sections.item(2)->pageSetup().differentFirstPageHeaderFooter());
    EXPECT_TRUE(sections.item(2)->pageSetup().oddAndEvenPagesHeaderFooter());
    auto &headerShapes = sections.item(1)->headers(HeaderFooterIndex::Primary).shapes();
    EXPECT_EQ(shapeTexts(headerShapes), QStringList{QStringLiteral("header box\r")});
}

TEST_F(DocxDocumentTest, BookmarksAreAddedFoundAndLeaveNoTrace)
{
    auto range = m_document->content();
    range->setRange(1, 4);
    m_document->bookmarks().add(QStringLiteral("qel_900528"), *range);
    EXPECT_TRUE(m_document->bookmarks().exists(QStringLiteral("qel_900528")));
    auto marked = m_document->bookmarks().range(QStringLiteral("qel_900528"));
    ASSERT_NE(marked, nullptr);
    EXPECT_EQ(marked->start(), 1);
    EXPECT_EQ(marked->end(), 4);
    marked->select();
    EXPECT_EQ(m_document->activeWindow().selection().text(), QStringLiteral("口\uF6A4木"));
    m_document->bookmarks().remove(QStringLiteral("qel_900528"));
    EXPECT_FALSE(m_document->bookmarks().exists(QStringLiteral("qel_900528")));
    EXPECT_EQ(m_document->bookmarks().range(QStringLiteral("qel_900528")), nullptr);
    ASSERT_TRUE(m_document->save());
    EXPECT_FALSE(
        wordtest::zipEntry(m_path, QStringLiteral("word/document.xml")).contains("w:bookmark"));
    EXPECT_EQ(m_document->content()->text(), wordtest::sampleMainText);
}

TEST_F(DocxDocumentTest, CommentsOnlyProtectionIsWrittenWithoutPasswordAndRemoved)
{
    EXPECT_EQ(m_document->protectionType(), ProtectionType::NoProtection);
    m_document->protect(ProtectionType::AllowOnlyComments);
    ASSERT_TRUE(m_document->save());
    open();
    EXPECT_EQ(m_document->protectionType(), ProtectionType::AllowOnlyComments);
    const QByteArray settings = wordtest::zipEntry(m_path, QStringLiteral("word/settings.xml"));
    EXPECT_TRUE(
        settings.contains("<w:zoom w:percent=\"100\"/><w:documentProtection "
                          "w:edit=\"comments\" w:enforcement=\"1\"/><w:evenAndOddHeaders/>"))
        << settings.constData();
    m_document->unprotect();
    EXPECT_EQ(m_document->protectionType(), ProtectionType::NoProtection);
}

TEST_F(DocxDocumentTest, ProtectionOfADocumentWithoutSettingsMakesThem)
{
    const QString plain = m_folder.filePath(QStringLiteral("plain.docx"));
    ASSERT_TRUE(wordtest::writeDocx(plain, QStringLiteral("<w:p><w:r><w:t>x</w:t></w:r></w:p>")));
    auto opened = DocxDocument::open(plain);
    ASSERT_TRUE(opened);
    opened.value()->protect(ProtectionType::AllowOnlyComments);
    ASSERT_TRUE(opened.value()->save());
    auto again = DocxDocument::open(plain);
    ASSERT_TRUE(again);
    EXPECT_EQ(again.value()->protectionType(), ProtectionType::AllowOnlyComments);
}

TEST_F(DocxDocumentTest, SavingWithoutChangesKeepsEveryPartByteForByte)
{
    EXPECT_TRUE(m_document->saved());
    const QString copy = m_folder.filePath(QStringLiteral("copy.docx"));
    ASSERT_TRUE(m_document->saveAs(copy));
    EXPECT_EQ(m_document->fullName(), copy);
    EXPECT_EQ(m_document->name(), QStringLiteral("copy.docx"));
    EXPECT_EQ(testsupport::readZip(copy), wordtest::sampleDocxEntries());
}

TEST_F(DocxDocumentTest, AChangeTouchesOnlyItsPart)
{
    auto header = m_document->sections().item(2)->headers(HeaderFooterIndex::FirstPage).range();
    header->collapse(CollapseDirection::Start);
    header->insertAfter(QStringLiteral("new "));
    EXPECT_FALSE(m_document->saved());
    ASSERT_TRUE(m_document->save());
    EXPECT_TRUE(m_document->saved());
    const testsupport::ZipEntries before = wordtest::sampleDocxEntries();
    const testsupport::ZipEntries after = testsupport::readZip(m_path);
    ASSERT_EQ(after.size(), before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        EXPECT_EQ(after[i].first, before[i].first);
        if (before[i].first == QLatin1String("word/header2.xml"))
            EXPECT_NE(after[i].second, before[i].second);
        else
            EXPECT_EQ(after[i].second, before[i].second) << before[i].first.toStdString();
    }
}

TEST_F(DocxDocumentTest, BadFilesAreRefusedWithAReasonAndLeftAsTheyWere)
{
    auto refuse = [](const QString &path) {
        const QByteArray before = fileBytes(path);
        auto opened = DocxDocument::open(path);
        EXPECT_FALSE(opened) << path.toStdString();
        EXPECT_FALSE(opened.errorString().isEmpty());
        EXPECT_EQ(fileBytes(path), before);
    };
    const QString text = m_folder.filePath(QStringLiteral("text.docx"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("plain text, not a document");
    file.close();
    refuse(text);

    const QString truncated = m_folder.filePath(QStringLiteral("truncated.docx"));
    QFile cut(truncated);
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(fileBytes(m_path).left(400));
    cut.close();
    refuse(truncated);

    testsupport::ZipEntries entries = wordtest::sampleDocxEntries();
    for (auto &[name, data] : entries) {
        if (name == QLatin1String("word/footnotes.xml"))
            data = "<w:footnotes><w:footnote>";
    }
    const QString malformed = m_folder.filePath(QStringLiteral("malformed.docx"));
    ASSERT_TRUE(testsupport::writeZip(malformed, entries));
    refuse(malformed);

    entries = wordtest::sampleDocxEntries();
    entries.removeIf([](const auto &e) { return e.first == QLatin1String("word/document.xml"); });
    const QString missing = m_folder.filePath(QStringLiteral("missing.docx"));
    ASSERT_TRUE(testsupport::writeZip(missing, entries));
    refuse(missing);

    const QString entity = m_folder.filePath(QStringLiteral("entity.docx"));
    ASSERT_TRUE(testsupport::writeZip(
        entity, testsupport::declaringEntity(wordtest::sampleDocxEntries(), "word/document.xml")));
    refuse(entity);
    EXPECT_TRUE(
        DocxDocument::open(entity).errorString().contains(u"word/document.xml 含有文件類型宣告"));

    refuse(m_folder.filePath(QStringLiteral("nowhere.docx")));
}

TEST(DeepDocuments, NestingPastTheLimitIsRefusedNamingTheFileAndWithinItIsEdited)
{
    using wordtest::Nesting;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("deep.docx"));
    for (const auto &[nesting, depth] : {std::pair{Nesting::ContentControls, 20000},
                                         {Nesting::Tables, 20000},
                                         {Nesting::Hyperlinks, 50000}}) {
        ASSERT_TRUE(wordtest::writeDocx(path, wordtest::nestedBody(nesting, depth, "深")));
        auto opened = DocxDocument::open(path);
        EXPECT_FALSE(opened);
        EXPECT_EQ(opened.errorString(),
                  QStringLiteral("無法開啟 %1：文件中的 word/document.xml 層層套疊超過 1000 "
                                 "層，檔案已損毀")
                      .arg(path));
    }
    // The deepest each can go: the text element at the thousandth level or just inside it.
    for (const auto &[nesting, depth] : {std::pair{Nesting::ContentControls, 497},
                                         {Nesting::Tables, 331},
                                         {Nesting::Hyperlinks, 995}}) {
        ASSERT_TRUE(wordtest::writeDocx(path, wordtest::nestedBody(nesting, depth, "深")));
        {
            auto opened = DocxDocument::open(path);
            ASSERT_TRUE(opened) << opened.errorString().toStdString();
            auto content = opened.value()->content();
            EXPECT_EQ(content->text(), QStringLiteral("深\r"));
            content->setText(QStringLiteral("淺"));
            ASSERT_TRUE(opened.value()->save());
        }
        auto again = DocxDocument::open(path);
        ASSERT_TRUE(again) << again.errorString().toStdString();
        EXPECT_EQ(again.value()->content()->text(), QStringLiteral("淺\r"));
    }
}

TEST_F(DocxDocumentTest, PicturesGoInWithTheirPartRelationshipTypeAndAlternativeText)
{
    const QString bitmap = writeBitmap(QStringLiteral("~cp1.bmp"), 600);
    auto range = m_document->content();
    FindOptions options;
    options.text = QStringLiteral("口\uF6A4木");
    ASSERT_TRUE(range->find(options));
    auto added = m_document->inlineShapes().addPicture(bitmap, *range);
    ASSERT_TRUE(added) << added.errorString().toStdString();
    added.value()->setAlternativeText(QStringLiteral("●＝口\uF6A4木"));
    EXPECT_EQ(range->text(), QStringLiteral("\x01"));
    // In a footnote too: the relationship belongs to the notes' part.
    auto note = m_document->footnotes().item(1)->range();
    note->collapse(CollapseDirection::End);
    ASSERT_TRUE(m_document->inlineShapes().addPicture(bitmap, *note));
    EXPECT_FALSE(m_document->inlineShapes().addPicture(m_path, *range))
        << "a document is no picture";
    ASSERT_TRUE(m_document->save());

    EXPECT_EQ(wordtest::zipEntry(m_path, QStringLiteral("word/media/image1.bmp")),
              fileBytes(bitmap));
    EXPECT_TRUE(
        wordtest::zipEntry(m_path, QStringLiteral("[Content_Types].xml")).contains("image/bmp"));
    EXPECT_TRUE(wordtest::zipEntry(m_path, QStringLiteral("word/_rels/document.xml.rels"))
                    .contains("media/image1.bmp"));
    EXPECT_TRUE(wordtest::zipEntry(m_path, QStringLiteral("word/_rels/footnotes.xml.rels"))
                    .contains("media/image2.bmp"));
    const QString xml =
        QString::fromUtf8(wordtest::zipEntry(m_path, QStringLiteral("word/document.xml")));
    EXPECT_TRUE(xml.contains(QStringLiteral("descr=\"●＝口\uF6A4木\"")));
    // 20 x 30 pixels at 600 dots per inch.
    EXPECT_TRUE(xml.contains(QStringLiteral("cx=\"30480\" cy=\"45720\"")));
    // New drawing ids follow every id of the document (10, 11, 12, the header's 20, 21).
    EXPECT_TRUE(xml.contains(QStringLiteral("<wp:docPr id=\"22\"")));

    open();
    ASSERT_EQ(m_document->inlineShapes().count(), 1);
    EXPECT_EQ(m_document->inlineShapes().item(1)->alternativeText(),
              QStringLiteral("●＝口\uF6A4木"));
}

TEST_F(DocxDocumentTest, MarkedPicturesTurnBackIntoTheirText)
{
    const QString bitmap = writeBitmap(QStringLiteral("glyph.bmp"), 96);
    const QStringList alternatives = {QStringLiteral("●＝F"), QStringLiteral("●=G"),
                                      QStringLiteral("picture")};
    for (const QString &alternative : alternatives) {
        auto end = m_document->content();
        end->setRange(end->end() - 1, end->end() - 1);
        auto added = m_document->inlineShapes().addPicture(bitmap, *end);
        ASSERT_TRUE(added);
        added.value()->setAlternativeText(alternative);
    }
    word::Range &selection = m_document->activeWindow().selection();
    int index = 1;
    for (int n = m_document->inlineShapes().count(); n > 0; --n) {
        word::InlineShape *shape = m_document->inlineShapes().item(index);
        shape->select();
        const word::Font font = selection.font();
        const QString alternative = shape->alternativeText();
        if (alternative.startsWith(QStringLiteral("●＝")) ||
            alternative.startsWith(QStringLiteral("●="))) {
            shape->deleteShape();
            selection.insertAfter(alternative.mid(2));
            selection.setFont(font);
        } else {
            ++index;
        }
    }
    EXPECT_EQ(m_document->inlineShapes().count(), 1);
    EXPECT_TRUE(m_document->content()->text().endsWith(QStringLiteral("shapesFG\x01\r")));
}

TEST(WordApplication, OpensDocumentsAndKeepsTheActiveOneAndItsSelection)
{
    QTemporaryDir folder;
    const QString first = folder.filePath(QStringLiteral("a.docx"));
    const QString second = folder.filePath(QStringLiteral("b.docx"));
    ASSERT_TRUE(wordtest::writeSampleDocx(first));
    ASSERT_TRUE(wordtest::writeDocx(second, QStringLiteral("<w:p><w:r><w:t>b</w:t></w:r></w:p>")));
    word::docx::WordApplication word;
    EXPECT_EQ(word.name(), QStringLiteral("Microsoft Word"));
    EXPECT_EQ(word.activeDocument(), nullptr);
    EXPECT_EQ(word.selection(), nullptr);
    auto a = word.documents().open(first);
    auto b = word.documents().open(second);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(word.activeDocument(), b.value());
    EXPECT_EQ(word.documents().count(), 2);
    EXPECT_EQ(word.documents().item(first), a.value());
    word.selection()->setText(QStringLiteral("typed "));
    EXPECT_EQ(b.value()->content()->text(), QStringLiteral("typed b\r"));
    EXPECT_FALSE(word.documents().open(folder.filePath(QStringLiteral("none.docx"))));
    EXPECT_EQ(word.activeDocument(), b.value());

    auto range = b.value()->content();
    ASSERT_TRUE(word.documents().close(b.value(), false));
    // A range of a closed document is empty and edits through it do nothing.
    EXPECT_EQ(range->text(), QString());
    range->setText(QStringLiteral("lost"));
    EXPECT_EQ(word.activeDocument(), a.value());
    ASSERT_TRUE(word.documents().close(a.value(), true));
    EXPECT_EQ(word.documents().count(), 0);
}

TEST(WordApplication, TypingAtTheCaretReplacesTheSelectionAndStepsPastTheText)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"a.docx"_qs);
    ASSERT_TRUE(wordtest::writeDocx(path, u"<w:p><w:r><w:t>甲乙丙</w:t></w:r></w:p>"_qs));
    word::docx::WordApplication word;
    EXPECT_FALSE(word.typeAtCaret(u"丁"_qs).ok()) << "no document is open";

    auto opened = word.documents().open(path);
    ASSERT_TRUE(opened);
    word::Document &document = *opened.value();
    word.selection()->setRange(1, 2);
    ASSERT_TRUE(word.typeAtCaret(u"丁戊"_qs).ok());
    EXPECT_EQ(document.content()->text(), u"甲丁戊丙\r"_qs);
    EXPECT_EQ(word.selection()->start(), 3);
    EXPECT_EQ(word.selection()->end(), 3);
    ASSERT_TRUE(word.typeAtCaret(u"己"_qs).ok());
    EXPECT_EQ(document.content()->text(), u"甲丁戊己丙\r"_qs);

    QStringList taken;
    word.setCaretSink([&taken](const QString &text) { taken << text; });
    ASSERT_TRUE(word.typeAtCaret(u"庚"_qs).ok());
    EXPECT_EQ(taken, QStringList{u"庚"_qs});
    EXPECT_EQ(document.content()->text(), u"甲丁戊己丙\r"_qs);
    EXPECT_EQ(word.selection()->start(), 4);
}

TEST(WordApplication, QuitClosesEveryDocumentUnsaved)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("a.docx"));
    ASSERT_TRUE(wordtest::writeSampleDocx(path));
    const QByteArray before = fileBytes(path);
    word::docx::WordApplication word;
    word.setVisible(false);
    auto opened = word.documents().open(path);
    ASSERT_TRUE(opened);
    auto content = opened.value()->content();
    content->setText(QStringLiteral("changed"));
    word.quit();
    EXPECT_EQ(word.documents().count(), 0);
    EXPECT_EQ(word.activeDocument(), nullptr);
    EXPECT_EQ(content->text(), QString());
    EXPECT_EQ(fileBytes(path), before);
}
