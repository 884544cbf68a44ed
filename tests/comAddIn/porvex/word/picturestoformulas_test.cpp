#include "comAddIn/porvex/word/conversiondriver.h"
#include "comAddIn/porvex/word/picturestoformulas.h"
#include "tests/comAddIn/porvex/word/wordrun.h"
#include "tests/support/libreoffice.h"

#include <QImage>

using namespace wordrun;

namespace
{

class PicturesToFormulasTest : public WordRunTest
{
protected:
    void convertBack() { porvex::ConvertPicturesToFormulas(m_word, context().showMessage); }

    // Adds a picture in place of the first occurrence of text in the main text.
    void addPicture(word::Document &document, const QString &text, const QString &altText)
    {
        const QString file = m_windows.filePath("picture.png");
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::black);
        ASSERT_TRUE(image.save(file));
        auto range = document.content();
        word::FindOptions find;
        find.text = text;
        ASSERT_TRUE(range->find(find));
        auto picture = document.inlineShapes().addPicture(file, *range);
        ASSERT_TRUE(picture) << picture.errorString().toStdString();
        picture.value()->setAlternativeText(altText);
    }
};

TEST_F(PicturesToFormulasTest, ThePictureCopyUnprotectedGivesItsFormulasBack)
{
    const QString eudc = "女" + Above + "子";
    ASSERT_NE(openParagraphs({"甲" + eudc + "乙" + Trigram + "丙" + eudc}), nullptr);
    porvex::ConvertDocumentToPictures(m_word, context());
    word::Document *copy = m_word.activeDocument();
    ASSERT_EQ(copy->inlineShapes().count(), 3);

    convertBack();
    EXPECT_EQ(m_messages,
              QStringList{"圖片轉成構字式: 請回到原始文件或解除文件保護後，再轉換圖片"});
    EXPECT_EQ(copy->inlineShapes().count(), 3);

    copy->unprotect();
    auto caret = copy->content();
    caret->setRange(1, 1);
    caret->select();
    convertBack();
    EXPECT_EQ(copy->content()->text(), "甲" + eudc + "乙" + Trigram + "丙" + eudc + "\r");
    EXPECT_EQ(copy->inlineShapes().count(), 0);
    // The formula's own typeface, kept at the picture's place; its symbol in the component
    // typeface of that style.
    auto formula = copy->content();
    for (const auto &[position, face] : {std::pair(1, "新細明體"), std::pair(2, "Qeleudc"),
                                         std::pair(3, "新細明體"), std::pair(5, "Qeleudc")}) {
        formula->setRange(position, position + 1);
        EXPECT_EQ(formula->font().name, QString::fromUtf8(face)) << position;
    }
    EXPECT_EQ(m_word.statusBar(), "圖片轉換完畢");
    EXPECT_TRUE(m_word.screenUpdating());
    EXPECT_EQ(copy->activeWindow().selection().start(), 1);

    ASSERT_TRUE(copy->saveAs(pathOf("restored.docx")));
    auto text = testsupport::convertWithLibreOffice(pathOf("restored.docx"),
                                                    QStringLiteral("txt:Text (encoded):UTF8"));
    ASSERT_TRUE(text) << text.errorString().toStdString();
    EXPECT_TRUE(QString::fromUtf8(text->document).contains("甲" + eudc + "乙" + Trigram + "丙"));
}

TEST_F(PicturesToFormulasTest, OnlyPicturesMarkedWithAFormulaAreReplaced)
{
    word::Document *document = openParagraphs({"a1b2c3d4e"});
    ASSERT_NE(document, nullptr);
    addPicture(*document, "1", "●＝日" + Beside + "月");
    addPicture(*document, "2", "●=女" + Above + "子");
    addPicture(*document, "3", "●＝");
    addPicture(*document, "4", "a photograph");
    convertBack();
    EXPECT_EQ(document->content()->text(), "a日" + Beside + "月b女" + Above +
                                               "子c\x01"
                                               "d\x01"
                                               "e\r")
        << "the bare mark and the unmarked picture stay";
    ASSERT_EQ(document->inlineShapes().count(), 2);
    EXPECT_EQ(document->inlineShapes().item(1)->alternativeText(), "●＝");
}

} // namespace
