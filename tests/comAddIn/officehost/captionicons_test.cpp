// The pictures of operator captions, as the relay hands them to the office program: made
// once, left out for plain captions or where they cannot be written, gone with their owner.
#include "comAddIn/officehost/captionicons.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using officehost::CaptionIconFiles;
using officehost::CaptionIcons;

namespace
{

class CaptionIconsTest : public ::testing::Test
{
protected:
    int argc = 0;
    QGuiApplication m_app{argc, nullptr};
    QTemporaryDir m_dir;
};

TEST_F(CaptionIconsTest, PicturesAreMadeForOperatorCaptionsAndGoWithTheirOwner)
{
    const QString folder = m_dir.filePath(u"relay.socket.icons"_qs);
    {
        CaptionIcons icons(folder);
        EXPECT_TRUE(icons.filesFor(u"構字式轉成字形☆(預覽)"_qs).small.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(folder));

        const CaptionIconFiles first = icons.filesFor(u"\uF6A4"_qs);
        ASSERT_FALSE(first.small.isEmpty());
        EXPECT_NE(first.small, first.large);
        EXPECT_EQ(QFileInfo(first.small).dir(), QDir(folder));
        EXPECT_EQ(QFile::permissions(folder) & (QFile::ReadOther | QFile::ReadGroup), 0);
        // Asked again after the folder was cleared, the same files drawn again.
        QDir(folder).removeRecursively();
        const CaptionIconFiles again = icons.filesFor(u"\uF6A4"_qs);
        EXPECT_EQ(again.small, first.small);
        EXPECT_EQ(again.large, first.large);
        EXPECT_TRUE(QFileInfo::exists(again.small));
        EXPECT_TRUE(QFileInfo::exists(again.large));
        EXPECT_NE(icons.filesFor(QString(QChar(0xEDC7))).small, first.small);
    }
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST_F(CaptionIconsTest, WherePicturesCannotBeWrittenTheCaptionStaysText)
{
    const QString blocked = m_dir.filePath(u"file"_qs);
    QFile file(blocked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    CaptionIcons icons(blocked + u"/icons"_qs);
    const CaptionIconFiles files = icons.filesFor(u"\uF6A4"_qs);
    EXPECT_TRUE(files.small.isEmpty());
    EXPECT_TRUE(files.large.isEmpty());
}

} // namespace
