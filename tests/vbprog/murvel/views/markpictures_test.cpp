#include "vbprog/murvel/views/markpictures.h"

#include <QImage>
#include <gtest/gtest.h>

namespace
{

TEST(MarkPicturesTest, TheTableNamesEveryMarkInOrder)
{
    EXPECT_EQ(markpictures::name(0), "imgNull");
    EXPECT_EQ(markpictures::name(4), "img形聲");
    EXPECT_EQ(markpictures::name(7), "img聲");
    EXPECT_EQ(markpictures::name(12), "img省聲");
    EXPECT_EQ(markpictures::name(15), "img亦聲");
    EXPECT_EQ(markpictures::name(16), "img省亦聲");
    EXPECT_EQ(markpictures::name(19), "img半");
    EXPECT_EQ(markpictures::name(22), "img四");
    EXPECT_TRUE(markpictures::name(23).isEmpty());
    EXPECT_TRUE(markpictures::name(-1).isEmpty());
}

// The share of the badge's pixels that are light whatever their hue: a filled badge shows
// only its character light, a hollow one its whole inside.
double lightShare(int mark)
{
    const QImage image =
        markpictures::picture(mark).toImage().convertToFormat(QImage::Format_ARGB32);
    int light = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            light += qAlpha(pixel) > 128 && qGray(pixel) > 200 ? 1 : 0;
        }
    }
    return double(light) / (image.width() * image.height());
}

TEST(MarkPicturesTest, ShortenedMarksDifferFromTheirFullFormsInShapeNotColourAlone)
{
    // 形/省形, 義/省義, 聲/省聲, 聲義/省聲義, 亦聲/省亦聲
    const std::pair<int, int> pairs[] = {{5, 10}, {6, 11}, {7, 12}, {13, 14}, {15, 16}};
    for (const auto &[full, shortened] : pairs) {
        SCOPED_TRACE(markpictures::name(shortened).toStdString());
        EXPECT_GT(lightShare(shortened) - lightShare(full), 0.3);
    }
}

TEST(MarkPicturesTest, EveryMarkHasAPictureOfItsOwnAndNoMarkShowsNothing)
{
    QList<QImage> images;
    for (int k = 1; k < RoleMarks::Count; ++k) {
        const QImage image = markpictures::picture(k).toImage();
        EXPECT_EQ(image.size(), QSize(markpictures::kSize, markpictures::kSize)) << k;
        for (int other = 0; other < images.size(); ++other)
            EXPECT_NE(image, images[other]) << k << " looks like " << other + 1;
        images << image;
    }
    EXPECT_FALSE(images.contains(markpictures::question().toImage()));

    const QImage none = markpictures::picture(0).toImage();
    for (int y = 0; y < none.height(); ++y) {
        for (int x = 0; x < none.width(); ++x)
            ASSERT_EQ(qAlpha(none.pixel(x, y)), 0);
    }
}

} // namespace
