#include "tempdesktop.h"
#include "tests/platform/office/word/sampledocx.h"
#include "tests/support/libreoffice.h"
#include "vbprog/Fonsetta/eudcfontlink.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

using namespace fonsetta;

namespace
{

// What fontconfig answers for a pattern, as a desktop program would ask it.
QStringList fcMatch(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("fc-match"), arguments);
    if (!process.waitForFinished(60'000))
        return {QStringLiteral("<fc-match did not finish>")};
    return QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

// The file fontconfig picks for the typeface when a trigram (which only the stand-in
// end-user-defined-character font draws) must be shown.
QString fileForPrivateUse(const QString &face)
{
    return fcMatch({QStringLiteral("-f"), QStringLiteral("%{file}\n"), face + u":charset=edc0"_qs})
        .value(0);
}

// The first files of the typeface's fallback list for a trigram.
QStringList fallbackFiles(const QString &face)
{
    return fcMatch({QStringLiteral("-s"), QStringLiteral("-f"), QStringLiteral("%{file}\n"),
                    face + u":charset=edc0"_qs})
        .mid(0, 2);
}

class EudcFontLinkTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(QFile::copy(standInEudcFont(), font)); }

    QStringList links() const
    {
        return QDir(link.linkFolder()).entryList(QDir::Files | QDir::System);
    }

    TempDesktop desktop;
    EudcFontLink link = desktop.fontLink();
    const QString font = desktop.dir.filePath(u"Qeleudc.tte"_qs);
};

const QStringList kLinkedFaces = {u"細明體"_qs, u"新細明體"_qs, u"標楷體"_qs, u"AR PL UMing TW"_qs,
                                  u"AR PL UKai TW"_qs};

TEST_F(EudcFontLinkTest, FontconfigFindsTheLinkedFontForEveryTypefaceUntilItIsRemoved)
{
    ASSERT_EQ(link.install({font, font}), QStringList());
    ASSERT_EQ(links().size(), 1);
    const QString linked = link.linkFolder() + u'/' + links().first();
    EXPECT_EQ(QFileInfo(linked).symLinkTarget(), font);
    for (const QString &face : kLinkedFaces) {
        EXPECT_EQ(fileForPrivateUse(face), linked) << face.toStdString();
        // The font is the fallback right after the typeface, not just any font that
        // happens to draw the character; asked for alone, the typeface keeps its answer.
        EXPECT_TRUE(fallbackFiles(face).contains(linked)) << face.toStdString();
        EXPECT_NE(fcMatch({QStringLiteral("-f"), QStringLiteral("%{file}"), face}).value(0), linked)
            << face.toStdString();
    }
    // Private-use characters that another installed font also draws come from ours too.
    EXPECT_EQ(fcMatch({QStringLiteral("-f"), QStringLiteral("%{file}"), u"細明體:charset=f6a3"_qs})
                  .value(0),
              linked);

    ASSERT_EQ(link.remove(), QStringList());
    for (const QString &face : kLinkedFaces) {
        EXPECT_NE(fileForPrivateUse(face), linked) << face.toStdString();
        EXPECT_FALSE(fallbackFiles(face).contains(linked)) << face.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(link.linkFolder()));
    EXPECT_FALSE(QFileInfo::exists(link.aliasFile()));
    EXPECT_TRUE(QFileInfo::exists(font)); // the font itself is never touched
}

// The family fontconfig answers for a pattern.
QString familyFor(const QString &pattern)
{
    return fcMatch({QStringLiteral("-f"), QStringLiteral("%{family[0]}"), pattern}).value(0);
}

// The sample's component typeface and, found beside it, its sixteen end-user-defined-
// character faces.
TEST_F(EudcFontLinkTest, TheSampleFontsMakeDocumentsReadableAndTypefacesKeepTheirKind)
{
    const QString ming = sampleEudcFont(u"Qeleudc.tte"_qs);
    const QString kai = sampleEudcFont(u"qeleudck.tte"_qs);
    const QString serif = familyFor(u"Liberation Serif"_qs);
    ASSERT_EQ(link.install({ming, kai}), QStringList());
    EXPECT_EQ(linkTargets(link).size(), 2 + 16);
    EXPECT_TRUE(linkTargets(link).contains(sampleEudcFont(u"細明體外字集一.ttf"_qs)));

    // An operator in a run of any typeface comes from the component typeface: the Kai file
    // for the Kai typefaces.
    for (const QString &face : {u"Liberation Serif"_qs, u"細明體"_qs, u"新細明體"_qs,
                                u"AR PL UMing TW"_qs, u"DejaVu Sans"_qs})
        EXPECT_EQ(familyFor(face + u":charset=f6a4"_qs), u"Qeleudc"_qs) << face.toStdString();
    EXPECT_EQ(familyFor(u"細明體:charset=f6a5"_qs), u"Qeleudc"_qs);
    for (const QString &face : {u"標楷體"_qs, u"AR PL UKai TW"_qs, u"標楷體外字集三"_qs})
        EXPECT_EQ(familyFor(face + u":charset=e010"_qs), u"Qeleudck"_qs) << face.toStdString();
    // The faces of a ☆ copy's runs answer under their own names.
    EXPECT_EQ(familyFor(u"細明體外字集一:charset=e000"_qs), u"細明體外字集一"_qs);
    EXPECT_EQ(familyFor(u"標楷體外字集八:charset=e007"_qs), u"標楷體外字集八"_qs);
    // Chinese typed next to a symbol, in the symbol's face, comes from a Chinese face of its
    // style; the component typeface asked for alone answers itself.
    EXPECT_EQ(familyFor(u"Qeleudc:charset=5200"_qs), u"AR PL UMing TW"_qs);
    EXPECT_EQ(familyFor(u"Qeleudck:charset=5200"_qs), u"AR PL UKai TW"_qs);
    EXPECT_EQ(familyFor(u"Qeleudc"_qs), u"Qeleudc"_qs);
    EXPECT_EQ(familyFor(u"Qeleudc:charset=f6a4"_qs), u"Qeleudc"_qs);
    // Ordinary text keeps its kind of face.
    EXPECT_EQ(familyFor(u"標楷體:lang=zh-tw"_qs), u"AR PL UKai TW"_qs);
    EXPECT_EQ(familyFor(u"標楷體"_qs), u"AR PL UKai TW"_qs);
    EXPECT_EQ(familyFor(u"細明體:lang=zh-tw"_qs), u"AR PL UMing TW"_qs);
    EXPECT_EQ(familyFor(u"Liberation Serif"_qs), serif);

    // Reinstalling replaces the links.
    ASSERT_EQ(link.install({kai, kai}), QStringList());
    EXPECT_EQ(linkTargets(link).size(), 1 + 16);
    EXPECT_EQ(familyFor(u"細明體:charset=f6a5"_qs), u"Qeleudck"_qs);
}

// A run of a ☆ copy: the text in the typeface it names for every script.
QString run(const QString &face, const QString &text)
{
    return u"<w:r><w:rPr><w:rFonts w:eastAsia=\"%1\" w:ascii=\"%1\" w:hAnsi=\"%1\" w:cs=\"%1\"/>"
           "</w:rPr><w:t xml:space=\"preserve\">%2</w:t></w:r>"_qs.arg(face, text);
}

// The fonts LibreOffice embeds in a PDF it writes (their names after the subset tag).
QSet<QString> pdfFonts(const QByteArray &pdf)
{
    QSet<QString> fonts;
    static const QRegularExpression baseFont(u"/BaseFont\\s*/[A-Z]{6}\\+([A-Za-z0-9_-]+)"_qs);
    for (const QRegularExpressionMatch &match : baseFont.globalMatch(QString::fromLatin1(pdf)))
        fonts << match.captured(1);
    return fonts;
}

// LibreOffice, started with the user's settings, draws the runs of a ☆ copy from our faces:
// its missing characters in their sets' faces, the operators, trigrams and components in the
// component typeface; no Hong Kong face draws them as other characters.
TEST_F(EudcFontLinkTest, LibreOfficeDrawsAStarCopyFromOurFaces)
{
    ASSERT_EQ(link.install({sampleEudcFont(u"Qeleudc.tte"_qs), sampleEudcFont(u"qeleudck.tte"_qs)}),
              QStringList());
    const QString copy = desktop.dir.filePath(u"報告☆.docx"_qs);
    ASSERT_TRUE(wordtest::writeDocx(
        copy, u"<w:p>"_qs + run(u"細明體"_qs, u"甲："_qs) +
                  run(u"細明體外字集一"_qs, u"\uE000"_qs) +
                  run(u"細明體"_qs, u"部件\uE010\uE012"_qs) + u"</w:p><w:p>"_qs +
                  run(u"標楷體"_qs, u"乙："_qs) + run(u"標楷體外字集一"_qs, u"\uE000"_qs) +
                  run(u"標楷體"_qs, u"八卦\uEDC6"_qs) + u"</w:p><w:p>"_qs +
                  run(u"Liberation Serif"_qs, u"Serif \uF6A4\uF6A5"_qs) + u"</w:p>"_qs));
    const auto pdf = testsupport::convertWithLibreOffice(copy, u"pdf"_qs);
    ASSERT_TRUE(pdf.ok()) << pdf.errorString().toStdString();
    const QSet<QString> fonts = pdfFonts(pdf.value().document);
    for (const QString &ours : {u"EudcMing1-Regular"_qs, u"EudcKai1-Regular"_qs,
                                u"Qeleudc-Regular"_qs, u"Qeleudck-Regular"_qs, u"UKaiTW"_qs})
        EXPECT_TRUE(fonts.contains(ours)) << ours.toStdString();
    for (const QString &other : {u"UKaiHK"_qs, u"UMingHK"_qs, u"HanaMinA"_qs, u"OpenSymbol"_qs})
        EXPECT_FALSE(fonts.contains(other)) << other.toStdString();
}

// Removing takes away the folders installing created, up to the user's data and settings
// folders when they were made for it, and leaves a folder that was there before.
TEST_F(EudcFontLinkTest, RemovingTakesAwayTheFoldersInstallingCreated)
{
    ASSERT_TRUE(QDir().mkpath(desktop.dataHome() + u"/fonts"_qs));
    ASSERT_EQ(link.install({font, font}), QStringList());
    ASSERT_TRUE(QFileInfo::exists(link.aliasFile()));
    ASSERT_EQ(link.install({font, font}), QStringList()); // a second time changes nothing
    ASSERT_EQ(link.remove(), QStringList());
    EXPECT_FALSE(QFileInfo::exists(link.linkFolder()));
    EXPECT_TRUE(QFileInfo::exists(desktop.dataHome() + u"/fonts"_qs));
    EXPECT_FALSE(QFileInfo::exists(desktop.configHome() + u"/fontconfig"_qs));
    EXPECT_FALSE(QFileInfo::exists(desktop.configHome()));
}

TEST_F(EudcFontLinkTest, FilesOfOneNameFromTwoFoldersAreBothLinked)
{
    ASSERT_TRUE(QDir().mkpath(desktop.dir.filePath(u"kai"_qs)));
    const QString kai = desktop.dir.filePath(u"kai/Qeleudc.tte"_qs);
    ASSERT_TRUE(QFile::copy(standInEudcFont(), kai));
    ASSERT_EQ(link.install({font, kai}), QStringList());
    EXPECT_EQ(linkTargets(link), (QStringList{font, kai}));
}

TEST_F(EudcFontLinkTest, RemovingLeavesWhatTheUserPutInTheFolder)
{
    ASSERT_EQ(link.install({font, font}), QStringList());
    const QString own = link.linkFolder() + u"/mine.ttf"_qs;
    ASSERT_TRUE(QFile::copy(standInEudcFont(), own));
    ASSERT_EQ(link.remove(), QStringList());
    EXPECT_EQ(links(), QStringList{u"mine.ttf"_qs});
}

TEST_F(EudcFontLinkTest, MissingFileOrNoFontIsReportedAndNothingIsLinked)
{
    const QString notAFont = desktop.dir.filePath(u"notes.tte"_qs);
    QFile file(notAFont);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a font");
    file.close();

    const QStringList failures = link.install({desktop.dir.filePath(u"none.tte"_qs), notAFont});
    ASSERT_EQ(failures.size(), 2);
    EXPECT_TRUE(failures[0].contains(u"none.tte"_qs));
    EXPECT_TRUE(failures[1].contains(u"notes.tte"_qs));
    EXPECT_TRUE(links().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(link.aliasFile()));
}

} // namespace
