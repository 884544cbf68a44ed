#include "platform/fonts/fontfiles.h"
#include "platform/fonts/operatorfont.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

// A program folder with the operator font and, as the face file of 標楷體外字集三, the test
// face.
class FontFilesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(
            QFile::copy(QStringLiteral(MURVEL_PROGRAM_DIR "/") + fonts::operatorFontFileName(),
                        operatorFont()));
        ASSERT_TRUE(QFile::copy(QStringLiteral(TEST_FACE_FILE), faceFile()));
    }

    QString operatorFont() const { return folder.filePath(fonts::operatorFontFileName()); }
    QString faceFile() const { return folder.filePath("標楷體外字集三.ttf"); }

    QTemporaryDir folder;
};

TEST_F(FontFilesTest, AFaceFileComesBeforeTheStandInAndTheOperatorFontLast)
{
    const QList<fonts::FontFile> files = fonts::fontFilesFor("標楷體外字集三", folder.path());
    ASSERT_EQ(files.size(), 3);
    EXPECT_EQ(files[0], (fonts::FontFile{faceFile(), 0}));
    EXPECT_TRUE(files[1].path.endsWith("ukai.ttc")) << files[1].path.toStdString();
    EXPECT_EQ(files[2], (fonts::FontFile{operatorFont(), 0}));
}

TEST_F(FontFilesTest, FacesWithoutAFileDrawWithTheirStandIn)
{
    const QList<fonts::FontFile> kai = fonts::fontFilesFor("標楷體外字集四", folder.path());
    ASSERT_EQ(kai.size(), 2);
    EXPECT_TRUE(kai[0].path.endsWith("ukai.ttc"));
    const QList<fonts::FontFile> ming = fonts::fontFilesFor("細明體", folder.path());
    ASSERT_EQ(ming.size(), 2);
    EXPECT_TRUE(ming[0].path.endsWith("uming.ttc"));
    // Only the face file's own name counts: 標楷體 itself is never drawn from a file.
    ASSERT_TRUE(QFile::copy(QStringLiteral(TEST_FACE_FILE), folder.filePath("標楷體.ttf")));
    EXPECT_TRUE(fonts::fontFilesFor("標楷體", folder.path())[0].path.endsWith("ukai.ttc"));
}

TEST_F(FontFilesTest, AnUnknownFamilyIsNotReplacedByWhateverFontconfigOffers)
{
    const QList<fonts::FontFile> files =
        fonts::fontFilesFor("No Such Family Anywhere", folder.path());
    ASSERT_EQ(files.size(), 2);
    EXPECT_TRUE(files[0].path.endsWith("ukai.ttc"));
}

} // namespace
