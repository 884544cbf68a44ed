#include "tests/vbprog/murvel/core/fakeglyphtable.h"
#include "vbprog/murvel/core/glyphrtf.h"
#include "vbprog/murvel/core/rtfreader.h"

#include <gtest/gtest.h>

namespace
{

const QString Kai = QStringLiteral("標楷體");
const QString Ming = QStringLiteral("細明體");
const QString KaiSet1 = QStringLiteral("標楷體外字集一");
const QString KaiSet2 = QStringLiteral("標楷體外字集二");
const QString MingSet1 = QStringLiteral("細明體外字集一");

QString joined(const QList<RtfRun> &runs)
{
    QString text;
    for (const RtfRun &run : runs)
        text += run.text;
    return text;
}

class ReadGlyphRtfTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        glyphs.add(QStringLiteral("月\uF6A4木"), 1, QStringLiteral("\uE000"));
        glyphs.add(QStringLiteral("日\uF6A4月"), 0, QStringLiteral("明"));
        glyphs.add(QStringLiteral("\uF6A7木"), 0, QStringLiteral("林"));
        glyphs.add(QStringLiteral("木\uF6A4日"), 9, QStringLiteral("\uE001"));
        glyphs.addKey({4, QStringLiteral("日\uF6A4月")}, 2, QStringLiteral("\uE002"));
    }

    QList<RtfRun> roundTrip(const QString &text, const QString &base)
    {
        return ReadGlyphRtf(FormulaTextToRtf(text, base, glyphs.lookup()));
    }

    FakeGlyphTable glyphs;
};

TEST_F(ReadGlyphRtfTest, GivesOneRunPerGroupInTheTypefaceOfItsFont)
{
    EXPECT_EQ(roundTrip(QStringLiteral("X月\uF6A4木Y"), Kai),
              (QList<RtfRun>{{QStringLiteral("X"), Kai},
                             {QStringLiteral("\uE000"), KaiSet1},
                             {QStringLiteral("Y"), Kai}}));
    EXPECT_EQ(roundTrip(QStringLiteral("X月\uF6A4木Y"), Ming),
              (QList<RtfRun>{{QStringLiteral("X"), Ming},
                             {QStringLiteral("\uE000"), MingSet1},
                             {QStringLiteral("Y"), Ming}}));
    EXPECT_EQ(roundTrip(QStringLiteral("日曆\uF6AE日\uF6A4月\uF6AF"), Kai),
              (QList<RtfRun>{{QStringLiteral("日曆"), Kai}, {QStringLiteral("\uE002"), KaiSet2}}));
}

TEST_F(ReadGlyphRtfTest, MissingGlyphsAndUndefinedFontsAreInTheBaseTypeface)
{
    EXPECT_EQ(roundTrip(QStringLiteral("X日\uF6A5木"), Ming),
              (QList<RtfRun>{{QStringLiteral("X"), Ming}, {QStringLiteral("●"), Ming}}));
    EXPECT_EQ(roundTrip(QStringLiteral("木\uF6A4日"), Kai),
              (QList<RtfRun>{{QStringLiteral("\uE001"), Kai}}));
    EXPECT_EQ(roundTrip(QStringLiteral("木\uF6A4日"), Ming),
              (QList<RtfRun>{{QStringLiteral("\uE001"), Ming}}));
}

// Reading back gives the text with each formula replaced by its glyph (● when missing);
// tabs and carriage returns have no escape and are gone.
TEST_F(ReadGlyphRtfTest, RoundTripReplacesEachFormulaByItsGlyph)
{
    const struct {
        const char16_t *text;
        const char16_t *shown;
    } cases[] = {
        {u"", u""},
        {u"X日\t月", u"X日月"},
        {u"X\rY", u"XY"},
        {u"X月\uF6A4木Y", u"X\uE000Y"},
        {u"X日\uF6A5木Y", u"X●Y"},
        {u"\uF6A7木\uF6A7木", u"林林"},
        {u"X日\uF6A4月\uF6A3木Y", u"X●Y"},
        {u"X\uF6AE日\uF6A4月\uF6AFY", u"X\uE002Y"},
        {u"X\uF6AE日\uF6A4月", u"X●"},
        {u"X\uF6AE日\rY", u"X●Y"},
        {u"月\uF6A4木X日\uF6A4月", u"\uE000X明"},
        {u"\uF6A4木X", u"●X"},
    };
    for (const auto &[text, shown] : cases) {
        for (const QString &base : {Kai, Ming}) {
            const QList<RtfRun> runs = roundTrip(QString::fromUtf16(text), base);
            EXPECT_EQ(joined(runs), QString::fromUtf16(shown))
                << QString::fromUtf16(text).toStdString() << " in " << base.toStdString();
        }
    }
}

TEST(ReadGlyphRtf, PlainTextIsOneRunWithoutTypeface)
{
    EXPECT_EQ(ReadGlyphRtf(QStringLiteral("日月 {\\f1}")),
              (QList<RtfRun>{{QStringLiteral("日月 {\\f1}"), QString()}}));
    EXPECT_TRUE(ReadGlyphRtf(QString()).isEmpty());
}

TEST(ReadGlyphRtf, ReadsControlSymbolsAndSkipsUnknownWords)
{
    const QString rtf = QStringLiteral("{\\rtf1{\\fonttbl{\\f3\\fnil 標楷體;}}"
                                       "{\\f3\\b \\{a\\}\\\\b\\par}\r\n{\\f3\\'a4\\'e9}}");
    EXPECT_EQ(ReadGlyphRtf(rtf),
              (QList<RtfRun>{{QStringLiteral("{a}\\b"), Kai}, {QStringLiteral("日"), Kai}}));
}

TEST(ReadGlyphRtf, ToleratesMalformedInput)
{
    // A bad escape is dropped with its one digit, an oversized or negative font number is the base
    // typeface, a stray closing brace is ignored, a lone lead byte decodes to U+FFFD.
    const QString rtf =
        QStringLiteral("{\\rtf1{\\fonttbl{\\f0 A;}{\\f1 B;}}}}{\\f1\\'zz\\'4}{\\f99999999999\\'41}"
                       "{\\f-1\\'42}{\\f1\\'a4");
    EXPECT_EQ(ReadGlyphRtf(rtf), (QList<RtfRun>{{QStringLiteral("zz"), QStringLiteral("B")},
                                                {QStringLiteral("A"), QStringLiteral("A")},
                                                {QStringLiteral("B"), QStringLiteral("A")},
                                                {QStringLiteral("\uFFFD"), QStringLiteral("B")}}));
    EXPECT_TRUE(ReadGlyphRtf(QStringLiteral("{\\rtf")).isEmpty());
    EXPECT_TRUE(ReadGlyphRtf(QStringLiteral("{\\rtf1\\")).isEmpty());
}

TEST_F(ReadGlyphRtfTest, TruncatedDocumentsGiveAPrefixOfTheText)
{
    const QString full =
        FormulaTextToRtf(QStringLiteral("X日\uF6A4月木\uF6A7木"), Ming, glyphs.lookup());
    const QString shown = QStringLiteral("X明木林");
    // Shorter cuts are not rich text at all and read as plain text.
    for (qsizetype length = QStringLiteral("{\\rtf").size(); length <= full.size(); ++length) {
        QString text = joined(ReadGlyphRtf(full.left(length)));
        if (text.endsWith(QChar(0xFFFD))) // a double-byte character cut after its lead byte
            text.chop(1);
        EXPECT_TRUE(shown.startsWith(text)) << "cut at " << length;
    }
}

} // namespace
