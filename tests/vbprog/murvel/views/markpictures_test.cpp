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
