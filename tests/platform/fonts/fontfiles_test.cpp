#include "platform/fonts/componenttypeface.h"
#include "platform/fonts/fontfiles.h"
#include "platform/fonts/operatorfont.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

// A program folder with the operator font, the Kai file of the component typeface and, as
// the face file of 標楷體外字集三, the test face.
class FontFilesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const QString &name :
             {fonts::operatorFontFileName(), fonts::componentFontFileName(kaiStyle)})
            ASSERT_TRUE(
                QFile::copy(QStringLiteral(MURVEL_PROGRAM_DIR "/") + name, folder.filePath(name)));
        ASSERT_TRUE(QFile::copy(QStringLiteral(TEST_FACE_FILE), faceFile()));
    }

    static constexpr fonts::TypefaceStyle kaiStyle = fonts::TypefaceStyle::Kai;
    fonts::FontFile operatorFont() const
    {
        return {folder.filePath(fonts::operatorFontFileName()), 0};
    }
    fonts::FontFile kaiComponents() const
    {
        return {folder.filePath(fonts::componentFontFileName(kaiStyle)), 0};
    }
    QString faceFile() const { return folder.filePath("標楷體外字集三.ttf"); }

    QTemporaryDir folder;
};

// The private-use files first, in the order of privateUseFamilies: the face file, the
// component typeface, the operator font; then the installed stand-in.
TEST_F(FontFilesTest, AFaceFileComesFirstAndTheStandInLast)
{
    const QList<fonts::FontFile> files = fonts::fontFilesFor("標楷體外字集三", folder.path());
    ASSERT_EQ(files.size(), 4);
    EXPECT_EQ(files[0], (fonts::FontFile{faceFile(), 0}));
    EXPECT_EQ(files[1], kaiComponents());
    EXPECT_EQ(files[2], operatorFont());
    EXPECT_TRUE(files[3].path.endsWith("ukai.ttc")) << files[3].path.toStdString();
}

TEST_F(FontFilesTest, FacesWithoutAFileDrawWithTheirStandIn)
{
    const QList<fonts::FontFile> kai = fonts::fontFilesFor("標楷體外字集四", folder.path());
    ASSERT_EQ(kai.size(), 3);
    EXPECT_TRUE(kai[2].path.endsWith("ukai.ttc"));
    // The Ming file of the component typeface is not in this folder.
    const QList<fonts::FontFile> ming = fonts::fontFilesFor("細明體", folder.path());
    ASSERT_EQ(ming.size(), 2);
    EXPECT_EQ(ming[0], operatorFont());
    EXPECT_TRUE(ming[1].path.endsWith("uming.ttc"));
    // Only the face file's own name counts: 標楷體 itself is never drawn from a file.
    ASSERT_TRUE(QFile::copy(QStringLiteral(TEST_FACE_FILE), folder.filePath("標楷體.ttf")));
    EXPECT_EQ(fonts::fontFilesFor("標楷體", folder.path())[0], kaiComponents());
}

TEST_F(FontFilesTest, AnUnknownFamilyIsNotReplacedByWhateverFontconfigOffers)
{
    const QList<fonts::FontFile> files =
        fonts::fontFilesFor("No Such Family Anywhere", folder.path());
    ASSERT_EQ(files.size(), 3);
    EXPECT_TRUE(files[2].path.endsWith("ukai.ttc"));
}

} // namespace
