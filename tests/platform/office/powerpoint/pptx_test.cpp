#include "platform/office/powerpoint/pptxapplication.h"
#include "samplepresentation.h"
#include "tests/support/libreoffice.h"
#include "tests/support/zipfile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace office::powerpoint;

namespace
{

const QString operatorH = QStringLiteral("\uF6A4");

// The XML of the first element named element in data, as written.
QByteArray element(const QByteArray &data, const QByteArray &start, const QByteArray &end)
{
    qsizetype from = data.indexOf(start);
    qsizetype to = data.indexOf(end, from);
    return from < 0 || to < 0 ? QByteArray() : data.mid(from, to + end.size() - from);
}

class PptxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        source = folder.filePath("plan.old.pptx");
        ASSERT_TRUE(writeSamplePresentation(source));
        auto opened = application.presentations().open(source);
        ASSERT_TRUE(opened.ok()) << opened.errorString().toStdString();
        presentation = opened.value();
        first = presentation->slide(1);
        ASSERT_NE(first, nullptr);
    }

    std::unique_ptr<TextRange> textOf(Shape *shape)
    {
        return shape && shape->hasTextFrame() ? shape->textFrame()->textRange() : nullptr;
    }

    Shape *tableCell(int row, int column)
    {
        return &first->shape(3)->table()->cell(row, column)->shape();
    }

    QString saveCopy(const char *name)
    {
        QString path = folder.filePath(QString::fromLatin1(name));
        auto saved = presentation->saveAs(path, Presentation::DefaultFormat, -2);
        EXPECT_TRUE(saved.ok()) << saved.errorString().toStdString();
        return path;
    }

    QTemporaryDir folder;
    QString source;
    PptxApplication application;
    Presentation *presentation = nullptr;
    Slide *first = nullptr;
};

TEST_F(PptxTest, SlidesShapesGroupsAndTablesAreWalkedAsTheHostShowsThem)
{
    EXPECT_EQ(application.name(), "Microsoft PowerPoint");
    EXPECT_EQ(presentation->slideCount(), 2);
    EXPECT_EQ(presentation->slide(2)->slideIndex(), 2);
    ASSERT_EQ(first->shapeCount(), 4);

    Shape *box = first->shape(1);
    EXPECT_EQ(box->type(), Shape::Type::TextBox);
    EXPECT_TRUE(box->textFrame()->hasText());
    EXPECT_EQ(textOf(box)->text(), QStringLiteral("甲") + operatorH + "乙文字\r第二\v行");
    EXPECT_EQ(textOf(box)->length(), 10);

    Shape *group = first->shape(2);
    EXPECT_EQ(group->type(), Shape::Type::Group);
    EXPECT_FALSE(group->hasTextFrame());
    ASSERT_EQ(group->groupItemCount(), 2);
    EXPECT_EQ(textOf(group->groupItem(1))->text(), "群一");
    Shape *inner = group->groupItem(2);
    EXPECT_EQ(inner->type(), Shape::Type::Group);
    EXPECT_EQ(textOf(inner->groupItem(1))->text(), "群二");
    EXPECT_EQ(inner->groupItem(2)->type(), Shape::Type::Picture);
    EXPECT_FALSE(inner->groupItem(2)->hasTextFrame());

    Shape *frame = first->shape(3);
    EXPECT_EQ(frame->type(), Shape::Type::Table);
    EXPECT_FALSE(frame->hasTextFrame());
    ASSERT_TRUE(frame->hasTable());
    EXPECT_EQ(frame->table()->rowCount(), 2);
    EXPECT_EQ(frame->table()->columnCount(), 2);
    EXPECT_EQ(textOf(tableCell(1, 2))->text(), QStringLiteral("表\uF6A3二"));
    EXPECT_EQ(textOf(tableCell(2, 2))->text(), QString()) << "a cell without a text body";
    EXPECT_FALSE(tableCell(2, 2)->textFrame()->hasText());
    EXPECT_EQ(frame->table()->cell(3, 1), nullptr);

    Shape *line = first->shape(4);
    EXPECT_EQ(line->type(), Shape::Type::Line);
    EXPECT_FALSE(line->hasTextFrame());
    EXPECT_FALSE(line->hasTable());
}

TEST_F(PptxTest, CharactersAndTypefacesCountUtf16AndFollowTheTheme)
{
    auto text = textOf(first->shape(1));
    EXPECT_EQ(text->characters(2)->text(), operatorH) << "a start alone gives one character";
    EXPECT_EQ(text->characters(4, 2)->text(), "文字");
    EXPECT_EQ(text->characters(6, 1)->text(), "\r");
    EXPECT_EQ(text->characters(9, 100)->text(), "\v行") << "clipped at the end";
    EXPECT_EQ(text->characters(1, 3)->font().name(), "標楷體");
    EXPECT_EQ(text->characters(4, 2)->font().name(), "Calibri") << "the theme's minor font";
    EXPECT_EQ(text->characters(3, 2)->font().name(), QString()) << "mixed typefaces";

    auto surrogate = textOf(first->shape(2)->groupItem(1));
    surrogate->setText(QStringLiteral("𠀀群"));
    EXPECT_EQ(surrogate->length(), 3) << "a character outside the BMP counts two units";
    EXPECT_EQ(surrogate->characters(3)->text(), "群");
}

TEST_F(PptxTest, WritingAGlyphChangesOnlyItsRunsAndKeepsTheRest)
{
    auto text = textOf(first->shape(1));
    auto formula = text->characters(1, 3);
    formula->setText(QStringLiteral("\uE000"));
    EXPECT_EQ(formula->text(), QStringLiteral("\uE000")) << "the range spans the new text";
    formula->font().setName(QStringLiteral("Tesvani標楷體"));
    auto tail = text->characters(2, 1);
    tail->font().setName(QStringLiteral("細明體"));
    EXPECT_EQ(text->text(), QStringLiteral("\uE000文字\r第二\v行"));
    EXPECT_EQ(text->characters(1)->font().name(), "Tesvani標楷體");
    EXPECT_EQ(text->characters(2)->font().name(), "細明體");
    EXPECT_EQ(text->characters(3)->font().name(), "Calibri") << "the run was split";
    EXPECT_FALSE(presentation->saved());

    // Text in a table cell without a text body gets one.
    textOf(tableCell(2, 2))->setText(QStringLiteral("新"));

    QString copy = saveCopy("copy.pptx");
    EXPECT_TRUE(presentation->saved());
    QByteArray slideXml = testsupport::zipEntry(copy, "ppt/slides/slide1.xml");
    QByteArray original = testsupport::zipEntry(source, "ppt/slides/slide1.xml");
    QByteArray written = element(slideXml, "<a:r><a:rPr lang=\"zh-TW\" altLang", "</a:r>");
    EXPECT_EQ(written, "<a:r><a:rPr lang=\"zh-TW\" altLang=\"en-US\"><a:latin "
                       "typeface=\"Tesvani標楷體\"/><a:ea typeface=\"Tesvani標楷體\"/></a:rPr>"
                       "<a:t>\uE000</a:t></a:r>")
        << "pitch and charset of the old typeface go; the other properties stay";
    EXPECT_TRUE(slideXml.contains("<a:rPr><a:latin typeface=\"細明體\"/><a:ea typeface=\"細明體\""
                                  "/></a:rPr><a:t>文</a:t>"));
    EXPECT_TRUE(slideXml.contains("<a:pPr algn=\"ctr\"/>")) << "paragraph properties stay";
    EXPECT_TRUE(slideXml.contains("<a:br><a:rPr lang=\"zh-TW\"/></a:br>"));
    EXPECT_TRUE(slideXml.contains("<a:endParaRPr lang=\"zh-TW\" sz=\"2400\"/>"));
    EXPECT_TRUE(slideXml.contains("<a:tc><a:txBody><a:bodyPr/><a:lstStyle/><a:p><a:r><a:t>新"
                                  "</a:t></a:r></a:p></a:txBody><a:tcPr/></a:tc>"))
        << slideXml.toStdString();
    // The group and the other cells were not touched.
    for (const auto &[start, end] : {std::pair{"<p:grpSp>", "</p:grpSp></p:grpSp>"},
                                     std::pair{"<a:tr h=\"370000\">", "</a:tr>"}})
        EXPECT_EQ(element(slideXml, start, end).size(), element(original, start, end).size())
            << start;
    for (const char *untouched : {"ppt/slides/slide2.xml", "ppt/presentation.xml",
                                  "ppt/theme/theme1.xml", "ppt/slideMasters/slideMaster1.xml"})
        EXPECT_EQ(testsupport::zipEntry(copy, untouched), testsupport::zipEntry(source, untouched))
            << untouched;

    PptxApplication again;
    auto reopened = again.presentations().open(copy);
    ASSERT_TRUE(reopened.ok());
    auto text2 = textOf(reopened.value()->slide(1)->shape(1));
    EXPECT_EQ(text2->text(), QStringLiteral("\uE000文字\r第二\v行"));
    EXPECT_EQ(text2->characters(1)->font().name(), "Tesvani標楷體");
}

TEST_F(PptxTest, ParagraphBreaksTypedOrDeletedReshapeTheParagraphs)
{
    auto text = textOf(first->shape(1));
    text->characters(5, 3)->setText(QStringLiteral("甲\r乙"));
    EXPECT_EQ(text->text(), QStringLiteral("甲") + operatorH + "乙文甲\r乙二\v行");
    text->characters(1, 6)->setText(QString());
    EXPECT_EQ(text->text(), QStringLiteral("乙二\v行"));
    text->setText(QStringLiteral("一\r二\r三"));
    EXPECT_EQ(text->text(), QStringLiteral("一\r二\r三"));
    QByteArray slideXml =
        testsupport::zipEntry(saveCopy("paragraphs.pptx"), "ppt/slides/slide1.xml");
    EXPECT_EQ(slideXml.count("<a:pPr algn=\"ctr\"/>"), 3)
        << "new paragraphs take the properties of the one they were split from";
}

TEST_F(PptxTest, ReplaceTakesTheFirstOccurrenceAfterThePosition)
{
    auto text = textOf(first->shape(1));
    text->setText(QStringLiteral("口口 口 apple APPLES"));
    auto replaced = text->replace(QStringLiteral("口"), QStringLiteral("吅"), 1, false, false);
    ASSERT_TRUE(replaced);
    EXPECT_EQ(replaced->text(), "吅");
    EXPECT_EQ(text->text(), QStringLiteral("口吅 口 apple APPLES"));
    EXPECT_TRUE(text->replace(QStringLiteral("Apple"), QStringLiteral("梨"), 0, false, false));
    EXPECT_EQ(text->text(), QStringLiteral("口吅 口 梨 APPLES"));
    EXPECT_EQ(text->replace(QStringLiteral("apple"), QStringLiteral("x"), 0, true, false), nullptr)
        << "matching case";
    EXPECT_EQ(text->replace(QStringLiteral("APPLE"), QStringLiteral("x"), 0, false, true), nullptr)
        << "whole words only";
    EXPECT_EQ(text->replace(QStringLiteral("口"), QStringLiteral("x"), 6, false, false), nullptr);
}

TEST_F(PptxTest, WindowSelectionAndPresentationsFollowTheUser)
{
    DocumentWindow *window = application.activeWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->viewType(), DocumentWindow::NormalView);
    EXPECT_EQ(window->view().slide(), first);
    EXPECT_EQ(window->selection().type(), Selection::Type::None);
    EXPECT_EQ(window->selection().textRange(), nullptr);

    auto *frame = first->shape(2)->groupItem(1)->textFrame();
    application.window().textSelection().selectText(frame, 2, 0);
    ASSERT_EQ(window->selection().type(), Selection::Type::Text);
    window->selection().textRange()->setText(operatorH);
    window->sendKeys(QStringLiteral("{RIGHT}"));
    window->selection().textRange()->setText(QStringLiteral("\uF6A3"));
    EXPECT_EQ(frame->textRange()->text(), QStringLiteral("群") + operatorH + "\uF6A3一")
        << "the arrow leaves the caret after each symbol";

    application.window().textSelection().selectShape();
    EXPECT_EQ(window->selection().textRange(), nullptr);

    QString copyPath = folder.filePath("plan.old☆.pptx");
    ASSERT_TRUE(presentation->saveAs(copyPath).ok());
    ASSERT_TRUE(presentation->saveAs(source).ok());
    auto copy = application.presentations().open(copyPath);
    ASSERT_TRUE(copy.ok());
    EXPECT_EQ(application.activePresentation(), copy.value());
    EXPECT_EQ(application.presentations().item(source), presentation);
    EXPECT_EQ(application.presentations().item(QStringLiteral("plan.old☆.pptx")), copy.value());
    copy.value()->slide(2)->select();
    EXPECT_EQ(window->view().slide(), copy.value()->slide(2));
    presentation->slide(2)->select();
    EXPECT_EQ(window->view().slide(), copy.value()->slide(2))
        << "a slide of a presentation not shown is not selected";
    copy.value()->close();
    EXPECT_EQ(application.presentations().count(), 1);
    EXPECT_EQ(window->view().slide(), first);
    presentation->close();
    EXPECT_EQ(application.activeWindow(), nullptr);
    EXPECT_FALSE(application.presentations().open(folder.filePath("none.pptx")).ok());
}

TEST_F(PptxTest, SlideDeclaringADocumentTypeIsRefusedAndLeftAsItWas)
{
    const QString path = folder.filePath("entity.pptx");
    ASSERT_TRUE(testsupport::writeZip(
        path, testsupport::declaringEntity(testsupport::readZip(source), "ppt/slides/slide1.xml")));
    const QByteArray before = testsupport::zipEntry(path, "ppt/slides/slide1.xml");
    auto opened = application.presentations().open(path);
    EXPECT_FALSE(opened.ok());
    EXPECT_TRUE(opened.errorString().contains(u"ppt/slides/slide1.xml 含有文件類型宣告"))
        << opened.errorString().toStdString();
    EXPECT_EQ(testsupport::zipEntry(path, "ppt/slides/slide1.xml"), before);
}

TEST_F(PptxTest, TypingAtTheCaretGoesOnlyIntoTextAndStepsPastIt)
{
    TextFrame *frame = first->shape(2)->groupItem(1)->textFrame();
    application.window().textSelection().selectText(frame, 2, 0);
    ASSERT_TRUE(application.typeAtCaret(operatorH).ok());
    ASSERT_TRUE(application.typeAtCaret(u"\uF6A3"_qs).ok());
    EXPECT_EQ(frame->textRange()->text(), u"群"_qs + operatorH + u"\uF6A3一"_qs);

    application.window().textSelection().selectText(frame, 1, 1);
    ASSERT_TRUE(application.typeAtCaret(u"甲"_qs).ok());
    ASSERT_TRUE(application.typeAtCaret(u"乙"_qs).ok());
    EXPECT_EQ(frame->textRange()->text(), u"甲乙"_qs + operatorH + u"\uF6A3一"_qs);

    application.window().textSelection().selectShape();
    ASSERT_TRUE(application.typeAtCaret(u"丙"_qs).ok()) << "a selected shape takes nothing";
    EXPECT_EQ(frame->textRange()->text(), u"甲乙"_qs + operatorH + u"\uF6A3一"_qs);

    QStringList taken;
    application.window().textSelection().selectText(frame, 1, 0);
    application.setCaretSink([&taken](const QString &text) { taken << text; });
    ASSERT_TRUE(application.typeAtCaret(u"丁"_qs).ok());
    EXPECT_EQ(taken, QStringList{u"丁"_qs});
    EXPECT_EQ(frame->textRange()->text(), u"甲乙"_qs + operatorH + u"\uF6A3一"_qs);
    application.setCaretSink(nullptr);

    presentation->close();
    EXPECT_FALSE(application.typeAtCaret(u"丁"_qs).ok()) << "no presentation is open";
}

TEST(DeepPresentations, GroupsPastTheLimitAreRefusedNamingTheFileAndWithinItAreEdited)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("deep.pptx");
    PptxApplication application;
    ASSERT_TRUE(writeNestedGroupsPresentation(path, 50000, "深"));
    auto refused = application.presentations().open(path);
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(refused.errorString(),
              QStringLiteral(
                  "無法開啟 %1：文件中的 ppt/slides/slide2.xml 層層套疊超過 1000 層，檔案已損毀")
                  .arg(path));

    // The deepest the groups can go: the text element at the thousandth level.
    constexpr int depth = 992;
    ASSERT_TRUE(writeNestedGroupsPresentation(path, depth, "深"));
    auto opened = application.presentations().open(path);
    ASSERT_TRUE(opened.ok()) << opened.errorString().toStdString();
    Shape *shape = opened.value()->slide(2)->shape(1);
    for (int level = 0; level < depth; ++level) {
        ASSERT_EQ(shape->type(), Shape::Type::Group);
        ASSERT_EQ(shape->groupItemCount(), 1);
        shape = shape->groupItem(1);
    }
    ASSERT_TRUE(shape->hasTextFrame());
    shape->textFrame()->textRange()->setText("淺");
    ASSERT_TRUE(opened.value()->save().ok());
    opened.value()->close();

    auto again = application.presentations().open(path);
    ASSERT_TRUE(again.ok()) << again.errorString().toStdString();
    EXPECT_TRUE(testsupport::zipEntry(path, "ppt/slides/slide2.xml").contains("<a:t>淺</a:t>"));
}

TEST_F(PptxTest, EditedPresentationOpensInLibreOfficeWithItsTextAndTypefaces)
{
    auto formula = textOf(first->shape(1))->characters(1, 3);
    formula->setText(QStringLiteral("鉀"));
    formula->font().setName(QStringLiteral("AR PL UKai TW"));
    auto cellText = textOf(tableCell(1, 2));
    cellText->setText(QStringLiteral("表格"));
    cellText->font().setName(QStringLiteral("AR PL UMing TW"));
    textOf(tableCell(2, 2))->setText(QStringLiteral("新格"));
    textOf(first->shape(2)->groupItem(2)->groupItem(1))
        ->characters(1, 1)
        ->setText(QStringLiteral("組"));
    QString copy = saveCopy("edited.pptx");

    auto flat = testsupport::convertWithLibreOffice(copy, QStringLiteral("fodp"));
    ASSERT_TRUE(flat.ok());
    QString document = QString::fromUtf8(flat->document);
    for (const char *expected : {"鉀", "文字", "第二", "表格", "新格", "組二", "群一", "表三"})
        EXPECT_TRUE(document.contains(QString::fromUtf8(expected))) << expected;
    // The client may number a typeface's name when it declares it twice ("... TW1").
    EXPECT_TRUE(document.contains("style:font-name-asian=\"AR PL UKai TW"))
        << "the East Asian typeface reaches the client";
    EXPECT_TRUE(document.contains("style:font-name-asian=\"AR PL UMing TW"));
}

} // namespace
