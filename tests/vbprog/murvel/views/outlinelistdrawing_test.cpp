#include "platform/vb/twips.h"
#include "vbprog/murvel/core/glyphrtf.h"
#include "vbprog/murvel/views/outlinelist.h"

#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace
{

const QString Kai = QStringLiteral("標楷體");
const QString Ming = QStringLiteral("細明體");
const QString Text = QStringLiteral("字形結構");

QString glyphRtf(const QString &text, const QString &base)
{
    return FormulaTextToRtf(text, base, [](const FormulaKey &) { return std::nullopt; });
}

// A shown list of one item, in Kai at 20 points unless the item says otherwise. It takes
// no focus, so that no list marks a current item and all are drawn alike.
std::unique_ptr<OutlineList> oneItemList(const QString &text)
{
    auto list = std::make_unique<OutlineList>();
    list->setFocusPolicy(Qt::NoFocus);
    list->resize(320, 80);
    list->setFontName(Kai);
    list->setFontSize(20);
    list->AddItem(text);
    list->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(list.get()));
    return list;
}

QImage drawn(OutlineList &list)
{
    list.doItemsLayout();
    return list.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int pixelsWhere(const QImage &image, const std::function<bool(QColor)> &test)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += test(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}

bool isInk(QColor color)
{
    return color.lightness() < 100;
}

TEST(OutlineListDrawingTest, ARichTextCellIsDrawnFromItsRunsInTheirTypefaces)
{
    // The runs are in Ming; the item's own typeface is Kai.
    const auto rich = oneItemList(glyphRtf(Text, Ming));
    rich->setItemFontName(0, Kai);
    rich->ItemCell(0).setRichText(1);
    const QImage richImage = drawn(*rich);
    EXPECT_GT(pixelsWhere(richImage, isInk), 0);

    const auto plainMing = oneItemList(Text);
    plainMing->setItemFontName(0, Ming);
    EXPECT_EQ(richImage, drawn(*plainMing));

    const auto plainKai = oneItemList(Text);
    EXPECT_NE(drawn(*plainKai), drawn(*plainMing));

    // Without the switch the item shows its text as it stands.
    rich->ItemCell(0).setRichText(0);
    EXPECT_NE(drawn(*rich), richImage);
}

TEST(OutlineListDrawingTest, ItemsWithoutATypefaceFollowTheList)
{
    const auto list = oneItemList(Text);
    const QImage inKai = drawn(*list);
    list->setFontName(Ming);
    const QImage inMing = drawn(*list);
    EXPECT_NE(inKai, inMing);

    const auto own = oneItemList(Text);
    own->setItemFontName(0, Ming);
    EXPECT_EQ(drawn(*own), inMing);
}

TEST(OutlineListDrawingTest, PicturesAndMarksAreDrawn)
{
    const auto isRed = [](QColor color) {
        return color.red() > 200 && color.green() < 60 && color.blue() < 60;
    };
    QPixmap mark(12, 12);
    mark.fill(Qt::red);
    const auto list = oneItemList(Text);
    list->setMarkPicture(3, mark);
    list->setItemMark(0, 3);
    EXPECT_EQ(pixelsWhere(drawn(*list), isRed), 0); // MarkStyle 1: no mark column
    list->setMarkStyle(2);
    EXPECT_EQ(pixelsWhere(drawn(*list), isRed), 12 * 12);
    list->setItemMark(0, 0);
    EXPECT_EQ(pixelsWhere(drawn(*list), isRed), 0);

    const QImage withoutPicture = drawn(*list);
    list->setItemPicture(0, list->PictureLeaf());
    EXPECT_NE(drawn(*list), withoutPicture);
}

TEST(OutlineListDrawingTest, DragOverFeedbackMarksTheRowUnderThePoint)
{
    const auto list = oneItemList(Text);
    const QImage idle = drawn(*list);
    const QPoint inRow = list->visualRect(list->model()->index(0, 1)).center();
    const int x = vb::PixelsToTwips(inRow.x(), list->logicalDpiX());
    const int y = vb::PixelsToTwips(inRow.y(), list->logicalDpiY());

    list->DragOverFeedback(x, y, OutlineList::DragOverItem);
    EXPECT_NE(drawn(*list), idle);
    list->DragOverFeedback(x, y, OutlineList::DragLeave);
    EXPECT_EQ(drawn(*list), idle);
}

} // namespace
