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

// The names in the test's folder.
QStringList namesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

void writeFile(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("the user's");
}

TEST_F(CaptionIconsTest, PicturesAreMadeInAFolderOfTheirOwnAndGoWithIt)
{
    // A folder of the user's at the stem's own name is not the pictures' folder.
    const QString stem = m_dir.filePath(u"relay.socket.icons"_qs);
    ASSERT_TRUE(QDir().mkdir(stem));
    writeFile(stem + u"/keep.txt"_qs);
    {
        CaptionIcons icons(stem);
        EXPECT_TRUE(icons.filesFor(u"構字式轉成字形☆(預覽)"_qs).small.isEmpty());
        EXPECT_EQ(namesIn(m_dir.path()), QStringList{u"relay.socket.icons"_qs});

        const CaptionIconFiles first = icons.filesFor(u"\uF6A4"_qs);
        ASSERT_FALSE(first.small.isEmpty());
        EXPECT_NE(first.small, first.large);
        const QString folder = QFileInfo(first.small).absolutePath();
        EXPECT_EQ(QFileInfo(first.large).absolutePath(), folder);
        EXPECT_TRUE(folder.startsWith(stem + u'-')) << folder.toStdString();
        EXPECT_EQ(QFile::permissions(folder) & (QFile::ReadOther | QFile::ReadGroup), 0);
        // Asked again after the folder was cleared or removed, the pictures are drawn again.
        for (const QString &picture : {first.small, first.large})
            QFile::remove(picture);
        EXPECT_TRUE(QFileInfo::exists(icons.filesFor(u"\uF6A4"_qs).small));
        QDir(folder).removeRecursively();
        const CaptionIconFiles again = icons.filesFor(u"\uF6A4"_qs);
        EXPECT_TRUE(QFileInfo::exists(again.small));
        EXPECT_TRUE(QFileInfo::exists(again.large));
        EXPECT_NE(icons.filesFor(QString(QChar(0xEDC7))).small, again.small);
    }
    EXPECT_EQ(namesIn(m_dir.path()), QStringList{u"relay.socket.icons"_qs});
    EXPECT_EQ(namesIn(stem), QStringList{u"keep.txt"_qs});
}

TEST_F(CaptionIconsTest, AFolderReplacedByALinkIsNeitherWrittenNorEmptiedThroughIt)
{
    const QString users = m_dir.filePath(u"users"_qs);
    ASSERT_TRUE(QDir().mkdir(users));
    QStringList usersFiles{u"keep.txt"_qs};
    writeFile(users + u"/keep.txt"_qs);
    {
        CaptionIcons icons(m_dir.filePath(u"relay.socket.icons"_qs));
        const CaptionIconFiles first = icons.filesFor(u"\uF6A4"_qs);
        ASSERT_FALSE(first.small.isEmpty());
        const QString folder = QFileInfo(first.small).absolutePath();
        // The user's files of the pictures' names, in a folder the link leads to.
        for (const QString &picture : {first.small, first.large}) {
            usersFiles.append(QFileInfo(picture).fileName());
            writeFile(QDir(users).filePath(usersFiles.last()));
        }
        usersFiles.sort();
        ASSERT_TRUE(QDir().rename(folder, m_dir.filePath(u"moved"_qs)));
        ASSERT_TRUE(QFile::link(users, folder));

        const CaptionIconFiles again = icons.filesFor(u"\uF6A4"_qs);
        ASSERT_FALSE(again.small.isEmpty());
        EXPECT_FALSE(again.small.startsWith(folder + u'/')) << again.small.toStdString();
        EXPECT_EQ(namesIn(users), usersFiles);
        // The pictures made before went with the folder they were made in.
        EXPECT_EQ(namesIn(m_dir.filePath(u"moved"_qs)), QStringList());
    }
    EXPECT_EQ(namesIn(users), usersFiles);
    for (const QString &name : usersFiles) {
        QFile file(QDir(users).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), "the user's");
    }
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
