#include "tests/vbprog/murvel/core/fakeglyphtable.h"
#include "vbprog/murvel/core/glyphrtf.h"

#include <gtest/gtest.h>

namespace
{

// The header and font table of each base typeface, as the documents are read elsewhere.
const QString KaiPrologue = QString::fromUtf8(
    R"({\rtf1\ansi\deflang1033{\fonttbl{\f0\fscript\fcharset136\'bc\'d0\'b7\'a2\'c5\'e9;})"
    R"({\f1\fmodern\fcharset136\'bc\'d0\'b7\'a2\'c5\'e9\'a5\'7e\'a6\'72\'b6\'b0\'a4\'40;})"
    R"({\f2\fmodern\fcharset136\'bc\'d0\'b7\'a2\'c5\'e9\'a5\'7e\'a6\'72\'b6\'b0\'a4\'47;})"
    R"({\f3\fmodern\fcharset136\'bc\'d0\'b7\'a2\'c5\'e9\'a5\'7e\'a6\'72\'b6\'b0\'a4\'54;})"
    R"({\f4\fmodern\fcharset136\'bc\'d0\'b7\'a2\'c5\'e9\'a5\'7e\'a6\'72\'b6\'b0\'a5\'7c;})"
    R"({\f5\fmodern\fcharset136\'bc\'d0\'b7\'a2\'c5\'e9\'a5\'7e\'a6\'72\'b6\'b0\'a4\'ad;})"
    R"({\f6\fmodern\fcharset136\'bc\'d0\'b7\'a2\'c5\'e9\'a5\'7e\'a6\'72\'b6\'b0\'a4\'bb;})"
    R"({\f7\fmodern\fcharset136\'bc\'d0\'b7\'a2\'c5\'e9\'a5\'7e\'a6\'72\'b6\'b0\'a4\'43;})"
    R"({\f8\fmodern\fcharset136\'bc\'d0\'b7\'a2\'c5\'e9\'a5\'7e\'a6\'72\'b6\'b0\'a4\'4b;}})");

const QString MingPrologue = QString::fromUtf8(
    R"({\rtf1\ansi\deflang1033{\fonttbl{\f16\fscript\fcharset136\'b2\'d3\'a9\'fa\'c5\'e9;})"
    R"({\f17\fmodern\fcharset136\'b2\'d3\'a9\'fa\'c5\'e9\'a5\'7e\'a6\'72\'b6\'b0\'a4\'40;})"
    R"({\f18\fmodern\fcharset136\'b2\'d3\'a9\'fa\'c5\'e9\'a5\'7e\'a6\'72\'b6\'b0\'a4\'47;})"
    R"({\f19\fmodern\fcharset136\'b2\'d3\'a9\'fa\'c5\'e9\'a5\'7e\'a6\'72\'b6\'b0\'a4\'54;})"
    R"({\f20\fmodern\fcharset136\'b2\'d3\'a9\'fa\'c5\'e9\'a5\'7e\'a6\'72\'b6\'b0\'a5\'7c;})"
    R"({\f21\fmodern\fcharset136\'b2\'d3\'a9\'fa\'c5\'e9\'a5\'7e\'a6\'72\'b6\'b0\'a4\'ad;})"
    R"({\f22\fmodern\fcharset136\'b2\'d3\'a9\'fa\'c5\'e9\'a5\'7e\'a6\'72\'b6\'b0\'a4\'bb;})"
    R"({\f23\fmodern\fcharset136\'b2\'d3\'a9\'fa\'c5\'e9\'a5\'7e\'a6\'72\'b6\'b0\'a4\'43;})"
    R"({\f24\fmodern\fcharset136\'b2\'d3\'a9\'fa\'c5\'e9\'a5\'7e\'a6\'72\'b6\'b0\'a4\'4b;}})");

const QString Kai = QStringLiteral("標楷體");
const QString Ming = QStringLiteral("細明體");

QString document(const QString &prologue, const char *body)
{
    return prologue + QString::fromUtf8(body) + u'}';
}

TEST(RtfHexEscape, WritesTheCp950BytesOfTheFirstCharacter)
{
    EXPECT_EQ(RtfHexEscape(QStringLiteral("A")), QStringLiteral(R"(\'41)"));
    EXPECT_EQ(RtfHexEscape(QStringLiteral("AB")), QStringLiteral(R"(\'41)"));
    EXPECT_EQ(RtfHexEscape(QStringLiteral("●")), QStringLiteral(R"(\'a1\'b4)"));
    EXPECT_EQ(RtfHexEscape(QStringLiteral("日")), QStringLiteral(R"(\'a4\'e9)"));
    EXPECT_EQ(RtfHexEscape(QStringLiteral("\uE000")), QStringLiteral(R"(\'fa\'40)"));
    EXPECT_EQ(RtfHexEscape(QStringLiteral("\uF6A4")), QStringLiteral(R"(\'8d\'f2)"));
}

TEST(RtfHexEscape, DropsControlCharactersAndWritesAQuestionMarkForWhatCp950Lacks)
{
    EXPECT_EQ(RtfHexEscape(QStringLiteral("\t")), QString());
    EXPECT_EQ(RtfHexEscape(QStringLiteral("\r")), QString());
    EXPECT_EQ(RtfHexEscape(QString()), QString());
    EXPECT_EQ(RtfHexEscape(QStringLiteral("\u0E01")), QStringLiteral(R"(\'3f)"));
    EXPECT_EQ(RtfHexEscape(QStringLiteral("𠀋口")), QStringLiteral(R"(\'3f)"));
}

class FormulaTextToRtfTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        glyphs.add(QStringLiteral("月\uF6A4木"), 1, QStringLiteral("\uE000"));
        glyphs.add(QStringLiteral("日\uF6A4月"), 0, QStringLiteral("明"));
        glyphs.add(QStringLiteral("\uF6A7木"), 0, QStringLiteral("林"));
        glyphs.add(QStringLiteral("\uF6A8木"), 0, QStringLiteral("森"));
    }

    QString kai(const QString &text) { return FormulaTextToRtf(text, Kai, glyphs.lookup()); }
    QString ming(const QString &text) { return FormulaTextToRtf(text, Ming, glyphs.lookup()); }

    FakeGlyphTable glyphs;
};

TEST_F(FormulaTextToRtfTest, EmptyTextGivesHeaderAndFontTableOnly)
{
    EXPECT_EQ(kai(QString()), KaiPrologue + u'}');
    EXPECT_EQ(ming(QString()), MingPrologue + u'}');
    // Any base other than "標楷體" takes the "細明體" fonts.
    EXPECT_EQ(FormulaTextToRtf(QString(), QStringLiteral("新細明體"), glyphs.lookup()),
              MingPrologue + u'}');
    EXPECT_TRUE(glyphs.asked.isEmpty());
}

TEST_F(FormulaTextToRtfTest, TextWithoutOperatorsIsOneTextGroup)
{
    EXPECT_EQ(kai(QStringLiteral("X日\t月")),
              document(KaiPrologue, R"({\f0\'58\'a4\'e9\'a4\'eb})"));
    EXPECT_EQ(ming(QStringLiteral("X日")), document(MingPrologue, R"({\f16\'58\'a4\'e9})"));
    // A carriage return has no escape of its own: the group runs on past it.
    EXPECT_EQ(kai(QStringLiteral("X\rY")), document(KaiPrologue, R"({\f0\'58\'59})"));
    EXPECT_TRUE(glyphs.asked.isEmpty());
}

TEST_F(FormulaTextToRtfTest, ACharacterBeyondTheBmpIsOneCharacter)
{
    EXPECT_EQ(kai(QStringLiteral("X𠀋Y")), document(KaiPrologue, R"({\f0\'58\'3f\'59})"));
    EXPECT_EQ(kai(QStringLiteral("𠀋𠀋")), document(KaiPrologue, R"({\f0\'3f\'3f})"));
    EXPECT_TRUE(glyphs.asked.isEmpty());
    // As a component it belongs to the formula whole.
    kai(QStringLiteral("X𠀋\uF6A4木Y\uF6A7𠀋"));
    EXPECT_EQ(glyphs.asked,
              (QList<FormulaKey>{{1, QStringLiteral("𠀋木")}, {5, QStringLiteral("\uF6A7𠀋")}}));
    EXPECT_EQ(kai(QStringLiteral("X𠀋\uF6A4木")),
              document(KaiPrologue, R"({\f0\'58}{\f0\'a1\'b4})"));
}

TEST_F(FormulaTextToRtfTest, FoundFormulaBetweenTextsIsAGlyphGroupInItsFace)
{
    const QString text = QStringLiteral("X月\uF6A4木Y");
    EXPECT_EQ(kai(text), document(KaiPrologue, R"({\f0\'58}{\f1\'fa\'40}{\f0\'59})"));
    EXPECT_EQ(ming(text), document(MingPrologue, R"({\f16\'58}{\f17\'fa\'40}{\f16\'59})"));
    EXPECT_EQ(glyphs.asked.first(), (FormulaKey{1, QStringLiteral("月木")}));
}

TEST_F(FormulaTextToRtfTest, MissingFormulaBetweenTextsIsABlackCircleInTheBaseFont)
{
    const QString text = QStringLiteral("X日\uF6A5木Y");
    EXPECT_EQ(kai(text), document(KaiPrologue, R"({\f0\'58}{\f0\'a1\'b4}{\f0\'59})"));
    EXPECT_EQ(ming(text), document(MingPrologue, R"({\f16\'58}{\f16\'a1\'b4}{\f16\'59})"));
    EXPECT_EQ(glyphs.asked.first(), (FormulaKey{3, QStringLiteral("日木")}));
}

TEST_F(FormulaTextToRtfTest, BackToBackPrefixFormulasAreTwoGlyphs)
{
    EXPECT_EQ(kai(QStringLiteral("\uF6A7木\uF6A8木")),
              document(KaiPrologue, R"({\f0\'aa\'4c}{\f0\'b4\'cb})"));
    EXPECT_EQ(glyphs.asked, (QList<FormulaKey>{{5, QStringLiteral("\uF6A7木")},
                                               {5, QStringLiteral("\uF6A8木")}}));
}

TEST_F(FormulaTextToRtfTest, ChainOfInfixOperatorsIsOneFormulaOfTheLastKind)
{
    kai(QStringLiteral("X日\uF6A4月\uF6A3木Y"));
    EXPECT_EQ(glyphs.asked, (QList<FormulaKey>{{2, QStringLiteral("日月木")}}));
}

TEST_F(FormulaTextToRtfTest, PrefixFormulaCanStandBetweenInfixOperators)
{
    kai(QStringLiteral("木\uF6A3\uF6A7木"));
    EXPECT_EQ(glyphs.asked, (QList<FormulaKey>{{2, QStringLiteral("木\uF6A7木")}}));
}

TEST_F(FormulaTextToRtfTest, BracketedFormulaIsLookedUpAsKindFour)
{
    glyphs.addKey({4, QStringLiteral("日\uF6A4月")}, 2, QStringLiteral("\uE000"));
    EXPECT_EQ(kai(QStringLiteral("X\uF6AE日\uF6A4月\uF6AFY")),
              document(KaiPrologue, R"({\f0\'58}{\f2\'fa\'40}{\f0\'59})"));
    EXPECT_EQ(glyphs.asked, (QList<FormulaKey>{{4, QStringLiteral("日\uF6A4月")}}));
}

TEST_F(FormulaTextToRtfTest, UnclosedBracketIsMissingWithoutALookup)
{
    // A record with an empty component string must not be taken for the broken formula.
    glyphs.addKey({0, QString()}, 0, QStringLiteral("日"));
    EXPECT_EQ(kai(QStringLiteral("X\uF6AE日\uF6A4月")),
              document(KaiPrologue, R"({\f0\'58}{\f0\'a1\'b4})"));
    // It ends at a carriage return; the text after that is text again.
    EXPECT_EQ(ming(QStringLiteral("X\uF6AE日\rY")),
              document(MingPrologue, R"({\f16\'58}{\f16\'a1\'b4}{\f16\'59})"));
    EXPECT_TRUE(glyphs.asked.isEmpty());
}

TEST_F(FormulaTextToRtfTest, FormulasAtStartAndEnd)
{
    EXPECT_EQ(kai(QStringLiteral("月\uF6A4木X日\uF6A4月")),
              document(KaiPrologue, R"({\f1\'fa\'40}{\f0\'58}{\f0\'a9\'fa})"));
}

TEST_F(FormulaTextToRtfTest, InfixOperatorNeverReachesBeforeTheText)
{
    kai(QStringLiteral("\uF6A4木X"));
    EXPECT_EQ(glyphs.asked, (QList<FormulaKey>{{1, QStringLiteral("木")}}));
}

TEST_F(FormulaTextToRtfTest, InfixOperatorAfterABracketStartsAFormulaOfItsOwn)
{
    kai(QStringLiteral("\uF6AE日\uF6AF\uF6A4木"));
    EXPECT_EQ(glyphs.asked,
              (QList<FormulaKey>{{4, QStringLiteral("日")}, {1, QStringLiteral("木")}}));
}

TEST_F(FormulaTextToRtfTest, OperatorAtTheEndTakesTheEndOfTheText)
{
    EXPECT_EQ(kai(QStringLiteral("X月\uF6A4")), document(KaiPrologue, R"({\f0\'58}{\f0\'a1\'b4})"));
    EXPECT_EQ(glyphs.asked, (QList<FormulaKey>{{1, QStringLiteral("月")}}));
}

TEST_F(FormulaTextToRtfTest, FacesBeyondTheFontTableStayNumbered)
{
    glyphs.add(QStringLiteral("木\uF6A4日"), 9, QStringLiteral("\uE000"));
    glyphs.add(QStringLiteral("木\uF6A4月"), 20, QStringLiteral("\uE000"));
    EXPECT_EQ(kai(QStringLiteral("木\uF6A4日")), document(KaiPrologue, R"({\f9\'fa\'40})"));
    EXPECT_EQ(ming(QStringLiteral("木\uF6A4日")), document(MingPrologue, R"({\f25\'fa\'40})"));
    EXPECT_EQ(kai(QStringLiteral("木\uF6A4月")), document(KaiPrologue, R"({\f20\'fa\'40})"));
}

TEST_F(FormulaTextToRtfTest, RecordWithoutAUsableFaceOrCodeIsMissing)
{
    glyphs.add(QStringLiteral("木\uF6A3日"), std::nullopt, QStringLiteral("\uE000"));
    glyphs.add(QStringLiteral("木\uF6A3月"), 21, QStringLiteral("\uE000"));
    glyphs.add(QStringLiteral("日\uF6A3木"), -1, QStringLiteral("\uE000"));
    glyphs.add(QStringLiteral("月\uF6A3木"), 1, QString());
    for (const char16_t *formula : {u"木\uF6A3日", u"木\uF6A3月", u"日\uF6A3木", u"月\uF6A3木"})
        EXPECT_EQ(ming(QString::fromUtf16(formula)), document(MingPrologue, R"({\f16\'a1\'b4})"));
    EXPECT_EQ(glyphs.asked.size(), 4);
}

} // namespace
