#include "tests/support/printqstring.h"
#include "tests/support/rawfilename.h"
#include "vbprog/toolkit/batchfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using toolkit::listBatchFolder;

namespace
{

class BatchFolderTest : public ::testing::Test
{
protected:
    void write(const QString &name)
    {
        QFile file(m_dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
    }

    QTemporaryDir m_dir;
};

TEST_F(BatchFolderTest, NormalFilesInNameOrderWithoutHiddenFilesOrFolders)
{
    for (const QString &name :
         {u"b.txt"_qs, u"a.docx"_qs, u"字.pptx"_qs, u".hidden.docx"_qs, u".~staged.txt"_qs})
        write(name);
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(u"sub.txt/inner.docx"_qs));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"folder"_qs));
    write(u"folder/in.txt"_qs);
    ASSERT_TRUE(QFile::link(m_dir.filePath(u"b.txt"_qs), m_dir.filePath(u"link.txt"_qs)));
    ASSERT_TRUE(QFile::link(m_dir.filePath(u"gone"_qs), m_dir.filePath(u"dangling.txt"_qs)));

    const toolkit::BatchFolder listing = listBatchFolder(m_dir.path());
    EXPECT_EQ(listing.files,
              (QStringList{u"a.docx"_qs, u"b.txt"_qs, u"link.txt"_qs, u"字.pptx"_qs}));
    EXPECT_TRUE(listing.unreadableNames.isEmpty());
}

TEST_F(BatchFolderTest, NamesThatAreNoUtf8AreListedApartWithTheirBadBytesSpelled)
{
    write(u"ok.txt"_qs);
    ASSERT_TRUE(testsupport::writeFileNamedInBytes(m_dir.path(), "bad\xFF\xFE.txt", "x"));
    // A valid character beside a cut one: the character stays, the stray bytes are spelled.
    ASSERT_TRUE(testsupport::writeFileNamedInBytes(m_dir.path(), "\xE5\xAD\x97\xE5\xAD.docx", "x"));
    ASSERT_TRUE(testsupport::writeFileNamedInBytes(m_dir.path(), ".\xFF hidden", "x"));
    ASSERT_EQ(::mkdir((QFile::encodeName(m_dir.path()) + "/dir\xFF").constData(), 0755), 0);

    const toolkit::BatchFolder listing = listBatchFolder(m_dir.path());
    EXPECT_EQ(listing.files, QStringList{u"ok.txt"_qs});
    EXPECT_EQ(listing.unreadableNames,
              (QStringList{u"bad\\xFF\\xFE.txt"_qs, u"字\\xE5\\xAD.docx"_qs}));
}

TEST_F(BatchFolderTest, AFolderThatCannotBeReadHasNoFiles)
{
    const toolkit::BatchFolder listing = listBatchFolder(m_dir.filePath(u"missing"_qs));
    EXPECT_TRUE(listing.files.isEmpty());
    EXPECT_TRUE(listing.unreadableNames.isEmpty());
}

} // namespace
