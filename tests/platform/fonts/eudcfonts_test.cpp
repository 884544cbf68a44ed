// The end-user-defined-character typefaces that the build composes from the glyph tables:
// the sample's in the program folder (with the component typeface), and those of the search
// fixture.

#include "platform/fonts/componenttypeface.h"
#include "platform/jet/database.h"
#include "tests/support/inkprofile.h"

#include <QDir>
#include <QFile>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QRawFont>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace
{

using testsupport::inkIn;
using testsupport::inkProfile;
using testsupport::splitByBlankBand;

const QStringList Numerals = {"一", "二", "三", "四", "五", "六", "七", "八"};

QString faceName(const QString &family, int set)
{
    return family + "外字集" + Numerals.at(set - 1);
}

std::string hex(char32_t code)
{
    return QString::number(uint(code), 16).toUpper().toStdString();
}

// Runs the query on the built sample database and hands each row to `each`.
void forEachSampleRow(const QString &sql, const std::function<void(const jet::Snapshot &)> &each)
{
    const jet::Result<jet::Database> database =
        jet::Database::open(QDir(MURVEL_PROGRAM_DIR).filePath("murvel.mdb"));
    ASSERT_TRUE(database.ok()) << database.errorString().toStdString();
    jet::Result<jet::Snapshot> rows = database->openSnapshot(sql);
    ASSERT_TRUE(rows.ok()) << rows.errorString().toStdString();
    for (; !rows->eof(); rows->moveNext())
        each(rows.value());
}

// The codes of the sample's missing characters by 字體.
std::map<int, QSet<char32_t>> sampleCodesByFace()
{
    std::map<int, QSet<char32_t>> codes;
    forEachSampleRow("SELECT 字碼, 字體 FROM 檢字表 WHERE 字體 BETWEEN 1 AND 8",
                     [&](const jet::Snapshot &record) {
                         codes[record.value(1).toInt()]
                             << record.value(0).toString().toUcs4().value(0);
                     });
    return codes;
}

bool isPrivateUse(char32_t code)
{
    return code >= 0xE000 && code <= 0xF8FF;
}

// The private-use characters the sample shows in the default face: the records of 檢字表
// at 字體 0 whose glyph is one private-use character.
QSet<char32_t> sampleComponentCodes()
{
    QSet<char32_t> codes;
    forEachSampleRow("SELECT 字形 FROM 檢字表 WHERE 字體 = 0 OR 字體 IS NULL",
                     [&](const jet::Snapshot &record) {
                         const QList<uint> glyph = record.value(0).toString().toUcs4();
                         if (glyph.size() == 1 && isPrivateUse(glyph[0]))
                             codes << glyph[0];
                     });
    return codes;
}

// The private-use characters of the sample's symbol and component lists.
QSet<char32_t> sampleListCodes(const QString &table)
{
    QSet<char32_t> codes;
    forEachSampleRow("SELECT 字形 FROM " + table, [&](const jet::Snapshot &row) {
        for (const uint code : row.value(0).toString().toUcs4()) {
            if (isPrivateUse(code))
                codes << code;
        }
    });
    return codes;
}

// A glyph drawn at 200 pixels to the em on a white image as tall as the font's line, the
// baseline at the font's ascent, as wide as the glyph's advance.
QImage drawGlyph(const QString &fontFile, char32_t code)
{
    const QRawFont font(fontFile, 200);
    if (!font.isValid() || !font.supportsCharacter(code))
        return {};
    const QList<quint32> indexes = font.glyphIndexesForString(QString::fromUcs4(&code, 1));
    const QList<QPointF> advances = font.advancesForGlyphIndexes(indexes);
    QImage image(qCeil(advances.value(0).x()), qCeil(font.ascent() + font.descent()),
                 QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QGlyphRun run;
    run.setRawFont(font);
    run.setGlyphIndexes(indexes);
    run.setPositions({QPointF(0, 0)});
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.drawGlyphRun(QPointF(0, font.ascent()), run);
    return image;
}

// The charset that fontconfig reads from a font file, as a set of code points.
QSet<char32_t> fontconfigCharset(const QString &fontFile, QString *family)
{
    QProcess query;
    query.start("fc-query", {"--format", "%{family}\n%{charset}\n", fontFile});
    EXPECT_TRUE(query.waitForFinished(10000)) << fontFile.toStdString();
    EXPECT_EQ(query.exitCode(), 0) << query.readAllStandardError().toStdString();
    const QStringList lines = QString::fromUtf8(query.readAllStandardOutput()).split('\n');
    *family = lines.value(0);
    QSet<char32_t> codes;
    for (const QString &range : lines.value(1).split(' ', Qt::SkipEmptyParts)) {
        const QStringList bounds = range.split('-');
        const uint first = bounds.first().toUInt(nullptr, 16);
        const uint last = bounds.last().toUInt(nullptr, 16);
        for (uint code = first; code <= last; ++code)
            codes << char32_t(code);
    }
    return codes;
}

class SampleEudcFonts : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        codesByFace = sampleCodesByFace();
        componentCodes = sampleComponentCodes();
    }

    static QString fontFile(const QString &name) { return QDir(MURVEL_PROGRAM_DIR).filePath(name); }

    static QSet<char32_t> allCodes()
    {
        QSet<char32_t> all;
        for (const auto &[set, codes] : codesByFace)
            all |= codes;
        return all;
    }

    // Every font file with the codes it must hold.
    static std::map<QString, QSet<char32_t>> expectedCoverage()
    {
        std::map<QString, QSet<char32_t>> coverage;
        for (const QString family : {"標楷體", "細明體"}) {
            for (int set = 1; set <= 8; ++set)
                coverage[faceName(family, set) + ".ttf"] = codesByFace[set];
        }
        for (const fonts::TypefaceStyle style :
             {fonts::TypefaceStyle::Kai, fonts::TypefaceStyle::Ming})
            coverage[fonts::componentFontFileName(style)] = componentCodes;
        return coverage;
    }

    static inline std::map<int, QSet<char32_t>> codesByFace;
    static inline QSet<char32_t> componentCodes;
};

} // namespace

TEST_F(SampleEudcFonts, EveryFaceOfTheSampleHasCharacters)
{
    for (int set = 1; set <= 8; ++set)
        EXPECT_FALSE(codesByFace[set].isEmpty()) << "字體 " << set;
}

// Every operator, trigram and component at a private-use code that the lists show; the
// missing characters of 字體 1..8 keep to their own faces.
TEST_F(SampleEudcFonts, TheComponentTypefaceHoldsWhatTheListsShowInTheDefaultFace)
{
    for (const char *table : {"符號", "八卦", "部件外字", "字根"}) {
        const QSet<char32_t> listed = sampleListCodes(table);
        EXPECT_FALSE(listed.isEmpty()) << table;
        EXPECT_TRUE(componentCodes.contains(listed)) << table;
    }
    EXPECT_EQ(sampleListCodes("符號").size(), 14);
    EXPECT_EQ(sampleListCodes("八卦").size(), 8);
    for (const char32_t component : {U'\uE010', U'\uE011', U'\uE012'})
        EXPECT_TRUE(componentCodes.contains(component)) << hex(component);
    EXPECT_FALSE(componentCodes.intersects(allCodes()));
}

// The record beside each file of the component typeface names the source of every glyph.
TEST_F(SampleEudcFonts, TheSourceOfEveryComponentGlyphIsRecorded)
{
    for (const fonts::TypefaceStyle style :
         {fonts::TypefaceStyle::Kai, fonts::TypefaceStyle::Ming}) {
        QFile record(fontFile(fonts::componentFontFileName(style) + ".sources.tsv"));
        ASSERT_TRUE(record.open(QIODevice::ReadOnly)) << record.fileName().toStdString();
        std::map<QString, QString> sources;
        for (const QString &line :
             QString::fromUtf8(record.readAll()).split('\n', Qt::SkipEmptyParts).mid(1))
            sources[line.section('\t', 0, 0)] = line.section('\t', 1);
        EXPECT_EQ(sources.size(), size_t(componentCodes.size()));
        EXPECT_EQ(sources["U+F6A5"], "operator drawing");
        EXPECT_EQ(sources["U+EDC6"], "operator drawing");
        EXPECT_TRUE(sources["U+E010"].startsWith("U+20087 𠂇 of "))
            << sources["U+E010"].toStdString();
        EXPECT_TRUE(sources["U+E012"].startsWith("formula 十")) << sources["U+E012"].toStdString();
    }
}

TEST_F(SampleEudcFonts, EachFileCoversExactlyItsMissingCharacters)
{
    for (const auto &[file, codes] : expectedCoverage()) {
        const QRawFont font(fontFile(file), 20);
        ASSERT_TRUE(font.isValid()) << file.toStdString();
        for (char32_t code = 0xE000; code <= 0xF8FF; ++code)
            EXPECT_EQ(font.supportsCharacter(code), codes.contains(code))
                << file.toStdString() << " U+" << hex(code);
        // Nothing outside the private-use area: other characters come from their own faces.
        for (const char32_t other : {U'土', U'口', U'A', U'\U00020087'})
            EXPECT_FALSE(font.supportsCharacter(other)) << file.toStdString();
    }
}

TEST_F(SampleEudcFonts, EveryGlyphHasInkWithinTheEmBox)
{
    for (const auto &[file, codes] : expectedCoverage()) {
        const QRawFont font(fontFile(file), 1000);
        // A component drawn as the character that stands for it may fill part of the em
        // only (𠂉 is the top of 每); a composed glyph fills its square.
        const bool components = file.endsWith(".tte");
        const qreal leastArea = (components ? 0.1 : 0.2) * 1000 * 1000;
        const int leastInk = components ? 1000 : 2000;
        for (const char32_t code : codes) {
            const QString text = QString::fromUcs4(&code, 1);
            const quint32 glyph = font.glyphIndexesForString(text).value(0);
            const QRectF ink = font.pathForGlyph(glyph).boundingRect();
            const qreal advance = font.advancesForGlyphIndexes({glyph}).value(0).x();
            const std::string what = file.toStdString() + " U+" + hex(code);
            EXPECT_GT(ink.width() * ink.height(), leastArea) << what;
            EXPECT_GE(ink.left(), 0) << what;
            EXPECT_LE(ink.right(), advance) << what;
            EXPECT_LE(advance, 1000.5) << what;
            EXPECT_GE(ink.top(), -font.ascent()) << what;
            EXPECT_LE(ink.bottom(), font.descent()) << what;
            EXPECT_LE(ink.height(), 1000) << what;

            const QImage drawn = drawGlyph(fontFile(file), code);
            EXPECT_GT(inkIn(inkProfile(drawn, Qt::Vertical), 0, drawn.height()), leastInk) << what;
        }
    }
}

// 土 over 口, 魚 twice side by side: the arrangement leaves a blank band between its cells,
// in both families; a box or a single component would not.
TEST_F(SampleEudcFonts, ArrangedComponentsStandApartInTheirCells)
{
    const jet::Result<jet::Database> database =
        jet::Database::open(QDir(MURVEL_PROGRAM_DIR).filePath("murvel.mdb"));
    ASSERT_TRUE(database.ok());
    struct Case {
        QString where;
        Qt::Orientation across;
    };
    const Case cases[] = {
        {"連接符號 = 2 AND 部件序 = '土口'", Qt::Vertical},
        {"部件序 = '" + QString(QChar(0xF6A7)) + "魚'", Qt::Horizontal},
    };
    for (const Case &each : cases) {
        jet::Snapshot record =
            database->openSnapshot("SELECT 字碼, 字體 FROM 檢字表 WHERE 字體 > 0 AND " + each.where)
                .value();
        ASSERT_FALSE(record.eof()) << each.where.toStdString();
        const char32_t code = record.value(0).toString().toUcs4().value(0);
        for (const QString family : {"標楷體", "細明體"}) {
            const QString file = fontFile(faceName(family, record.value(1).toInt()) + ".ttf");
            const QImage drawn = drawGlyph(file, code);
            ASSERT_FALSE(drawn.isNull()) << file.toStdString();
            EXPECT_TRUE(splitByBlankBand(inkProfile(drawn, each.across)))
                << file.toStdString() << " " << each.where.toStdString();
        }
    }
}

TEST_F(SampleEudcFonts, FontconfigReadsEveryFileWithItsFamilyAndCoverage)
{
    for (const auto &[file, codes] : expectedCoverage()) {
        QString family;
        EXPECT_EQ(fontconfigCharset(fontFile(file), &family), codes) << file.toStdString();
        const QString expectedFamily =
            file.endsWith(".ttf") ? file.chopped(4)
            : file == fonts::componentFontFileName(fonts::TypefaceStyle::Ming)
                ? fonts::componentFamily(fonts::TypefaceStyle::Ming)
                : fonts::componentFamily(fonts::TypefaceStyle::Kai);
        EXPECT_EQ(family, expectedFamily) << file.toStdString();
    }
}

// In the search fixture U+E021 repeats U+E020, itself a missing character, four times in a
// square: it is composed first, and the four copies stand apart both ways.
TEST(FixtureEudcFonts, AMissingComponentIsComposedBeforeItIsRepeated)
{
    const QString file = QDir(MURVEL_FIXTURE_DIR "/search").filePath("標楷體外字集一.ttf");
    const QImage square = drawGlyph(file, 0xE021);
    ASSERT_FALSE(square.isNull());
    EXPECT_TRUE(splitByBlankBand(inkProfile(square, Qt::Vertical)));
    EXPECT_TRUE(splitByBlankBand(inkProfile(square, Qt::Horizontal)));
    const QImage single = drawGlyph(file, 0xE020);
    ASSERT_FALSE(single.isNull());
    EXPECT_FALSE(splitByBlankBand(inkProfile(single, Qt::Vertical)));
}

// The script run on a glyph table written by the test.
class EudcFontScript : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    // Writes the table: the header, then the records (字形, 字碼, 字體, @構字式 each).
    void writeTable(const QByteArray &records)
    {
        QFile table(tablePath());
        ASSERT_TRUE(table.open(QIODevice::WriteOnly));
        table.write("字形\t字碼\t字體\t@構字式\n" + records);
    }

    // Writes the characters that stand for components: 字碼 and 字元 each.
    void writeCharacters(const QByteArray &rows)
    {
        QFile table(charactersPath());
        ASSERT_TRUE(table.open(QIODevice::WriteOnly));
        table.write("字碼\t字元\n" + rows);
    }

    // Runs the script on the table, with the component typeface when the characters are
    // given; gives its exit code and keeps its error output.
    int run(bool components = false)
    {
        QStringList arguments = {MAKE_EUDC_FONTS, tablePath(), fontPath("")};
        if (components)
            arguments = QStringList{MAKE_EUDC_FONTS, "--components", charactersPath(), tablePath(),
                                    fontPath("")};
        QProcess script;
        script.start("/usr/bin/python3", arguments);
        EXPECT_TRUE(script.waitForFinished(60000));
        error = QString::fromUtf8(script.readAllStandardError());
        return script.exitCode();
    }

    QString tablePath() const { return folder.filePath("檢字表.tsv"); }
    QString charactersPath() const { return folder.filePath("characters.tsv"); }
    QString fontPath(const QString &file) const { return folder.filePath("fonts/" + file); }

    QTemporaryDir folder;
    QString error;
};

// A formula that cannot be composed stops the build with the line that holds it, and
// writes no face.
TEST_F(EudcFontScript, RefusesWhatItCannotCompose)
{
    struct Case {
        const char *formula;
        const char *message;
    };
    const Case cases[] = {
        {"木\\uF6A4", "ends where a component is expected"},
        {"\\uF6AE木木", "not closed"},
        {"\\uF6A3木", "stands where a component is expected"},
        {"\\uE001\\uF6A4木", "leads back to its own character"},
        {"\\uE7FF\\uF6A4木", "has no component"},
    };
    for (const Case &each : cases) {
        writeTable(QByteArray("木\t\t\t\n"
                              "\t\\uE000\t1\t木\\uF6A3木\n"
                              "\t\\uE001\t2\t") +
                   each.formula + "\n");
        EXPECT_EQ(run(), 1) << each.formula;
        EXPECT_TRUE(error.startsWith(tablePath() + ":4: ")) << error.toStdString();
        EXPECT_TRUE(error.contains(each.message)) << error.toStdString();
        EXPECT_FALSE(QFile::exists(fontPath("標楷體外字集一.ttf"))) << each.formula;
    }
}

// A missing character named by its 字形 in another formula is composed there.
TEST_F(EudcFontScript, AComponentMayNameAMissingCharacterByItsGlyph)
{
    writeTable("\\uE030\t\\uE031\t1\t木\\uF6A3木\n"
               "\t\\uE032\t1\t\\uE030\\uF6A4木\n");
    ASSERT_EQ(run(), 0) << error.toStdString();
    const QImage drawn = drawGlyph(fontPath("標楷體外字集一.ttf"), 0xE032);
    EXPECT_TRUE(splitByBlankBand(inkProfile(drawn, Qt::Horizontal)));
}

// Each face draws its own record of a code.
TEST_F(EudcFontScript, EachFaceDrawsItsOwnRecordOfACode)
{
    writeTable("\t\\uE000\t1\t木\\uF6A3木\n"
               "\t\\uE000\t2\t木\\uF6A4木\n");
    ASSERT_EQ(run(), 0) << error.toStdString();
    const QImage above = drawGlyph(fontPath("標楷體外字集一.ttf"), 0xE000);
    const QImage beside = drawGlyph(fontPath("標楷體外字集二.ttf"), 0xE000);
    EXPECT_TRUE(splitByBlankBand(inkProfile(above, Qt::Vertical)));
    EXPECT_TRUE(splitByBlankBand(inkProfile(beside, Qt::Horizontal)));
}

// A component at a private-use code takes the outline of the character that stands for it
// and may be used in a missing character's formula; the component typeface holds it, the
// operator beside it and no missing character.
TEST_F(EudcFontScript, AComponentTakesTheCharacterThatStandsForIt)
{
    writeTable("\\uE010\t\t0\t\n"
               "\\uF6A4\t\t\t\n"
               "\t\\uE000\t1\t\\uE010\\uF6A4木\n");
    writeCharacters("\\uE010\t木\n");
    ASSERT_EQ(run(true), 0) << error.toStdString();
    const QRawFont components(fontPath("qeleudck.tte"), 20);
    ASSERT_TRUE(components.isValid());
    EXPECT_TRUE(components.supportsCharacter(0xE010));
    EXPECT_TRUE(components.supportsCharacter(0xF6A4));
    EXPECT_FALSE(components.supportsCharacter(0xE000));
    // 木 beside 木: the component stands apart from the other 木.
    const QImage pair = drawGlyph(fontPath("標楷體外字集一.ttf"), 0xE000);
    EXPECT_TRUE(splitByBlankBand(inkProfile(pair, Qt::Horizontal)));
}

TEST_F(EudcFontScript, AComponentWithNothingToDrawItFromStopsTheBuild)
{
    writeTable("\\uE010\t\t0\t\n");
    writeCharacters("\\uE011\t木\n");
    EXPECT_EQ(run(true), 1);
    EXPECT_TRUE(error.startsWith(tablePath() + ":2: ")) << error.toStdString();
    EXPECT_TRUE(error.contains("neither a formula nor a character")) << error.toStdString();
    EXPECT_FALSE(QFile::exists(fontPath("Qeleudc.tte")));
}
