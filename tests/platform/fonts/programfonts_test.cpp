#include "platform/fonts/componenttypeface.h"
#include "platform/fonts/operatorfont.h"
#include "platform/fonts/programfonts.h"
#include "platform/fonts/typefacetable.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

const QString kai = QStringLiteral("AR PL UKai TW");
const QString ming = QStringLiteral("AR PL UMing TW");
const QString testFace = QStringLiteral(TEST_FACE_FAMILY);
const QString kaiComponents = fonts::componentFamily(fonts::TypefaceStyle::Kai);
const QString mingComponents = fonts::componentFamily(fonts::TypefaceStyle::Ming);

} // namespace

TEST(ProgramFonts, RegistersTheBuiltOperatorFontAndComponentTypeface)
{
    EXPECT_EQ(fonts::registerProgramFonts(MURVEL_PROGRAM_DIR), QStringList());
    for (const QString &family :
         {fonts::operatorFamily(), fonts::privateUseBoxFamily(), kaiComponents, mingComponents}) {
        EXPECT_TRUE(QFontDatabase::families().contains(family)) << family.toStdString();
        EXPECT_EQ(QFontInfo(QFont(family)).family(), family);
    }
    // A second call finds everything registered already.
    EXPECT_EQ(fonts::registerProgramFonts(MURVEL_PROGRAM_DIR), QStringList());
}

TEST(ProgramFonts, TheBuiltFaceFilesDrawTheEndUserDefinedCharacterFaces)
{
    EXPECT_EQ(fonts::registerProgramFonts(MURVEL_PROGRAM_DIR), QStringList());
    const QString operators = fonts::operatorFamily();
    const QString box = fonts::privateUseBoxFamily();
    const QStringList hana = {"HanaMinA", "HanaMinB"};
    EXPECT_EQ(fonts::familiesFor("細明體外字集六"),
              QStringList({"細明體外字集六", mingComponents, operators, box, ming}) + hana);
    EXPECT_EQ(fonts::familiesFor("標楷體外字集一"),
              QStringList({"標楷體外字集一", kaiComponents, operators, box, kai}) + hana);
    EXPECT_EQ(QFontInfo(fonts::fontFor("標楷體外字集八", 20)).family(), "標楷體外字集八");
}

// Faces that the build supplies no file for, so that the program folder's files, registered
// first in the same process, do not stand in the way.
TEST(ProgramFonts, FaceFilesInTheProgramFolderDrawTheirFaces)
{
    const QTemporaryDir programFolder;
    ASSERT_TRUE(programFolder.isValid());
    const QDir folder(programFolder.path());
    ASSERT_TRUE(QFile::copy(TEST_FACE_FILE, folder.filePath("hzkf.ttf")));
    ASSERT_TRUE(QFile::copy(TEST_FACE_FILE, folder.filePath("北師大說文重文.ttf")));
    QFile notAFont(folder.filePath("Ombrel金文.ttf"));
    ASSERT_TRUE(notAFont.open(QIODevice::WriteOnly));
    notAFont.write("not a font");
    notAFont.close();

    // This folder has no operator font nor component typeface, and one of its face files is
    // broken.
    EXPECT_EQ(
        fonts::registerProgramFonts(folder.path()),
        QStringList({folder.filePath(fonts::operatorFontFileName()),
                     folder.filePath(fonts::privateUseBoxFileName()),
                     folder.filePath(fonts::componentFontFileName(fonts::TypefaceStyle::Ming)),
                     folder.filePath(fonts::componentFontFileName(fonts::TypefaceStyle::Kai)),
                     folder.filePath("Ombrel金文.ttf")}));

    const QStringList behind = {
        kaiComponents, fonts::operatorFamily(), fonts::privateUseBoxFamily(), kai, "HanaMinA",
        "HanaMinB"};
    EXPECT_EQ(fonts::familiesFor("hzkf"), QStringList({testFace}) + behind);
    EXPECT_EQ(fonts::familiesFor("北師大說文重文"), QStringList({testFace}) + behind);
    EXPECT_EQ(fonts::familiesFor("Ombrel金文"), behind);
    EXPECT_EQ(fonts::familiesFor("Ombrel甲骨文"), behind);
    EXPECT_EQ(QFontInfo(fonts::fontFor("hzkf", 20)).family(), testFace);
}
