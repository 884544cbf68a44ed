#include "comAddIn/porvex/formulascanner.h"
#include "comAddIn/porvex/sourcepositions.h"

#include <gtest/gtest.h>

using namespace porvex;

namespace
{

const QString Beside = QStringLiteral("\uF6A4");
const QString Above = QStringLiteral("\uF6A3");
const QString Twice = QStringLiteral("\uF6A7");
const QString Open = QStringLiteral("\uF6AE");
const QString Close = QStringLiteral("\uF6AF");

// Every formula the scanner finds in the text, as the text of each.
QStringList formulasIn(const QString &text, FormulaScanner::Mode mode)
{
    const FormulaScanner scanner(mode);
    QStringList found;
    int from = 0;
    while (std::optional<FoundFormula> formula = scanner.next(text, from)) {
        const QString part = text.mid(formula->start, formula->length);
        found << (formula->lone ? u"lone:"_qs + part : part);
    }
    return found;
}

QStringList inCells(const QString &text)
{
    return formulasIn(text, FormulaScanner::Mode::Paragraphs);
}

TEST(FormulaScanner, FindsFormulasFromLeftToRightAmongOtherText)
{
    EXPECT_EQ(inCells("見日" + Beside + "月與女" + Above + "子" + Beside + "口。"),
              (QStringList{"日" + Beside + "月", "女" + Above + "子" + Beside + "口"}));
    // A prefix operator takes its operand; the next one starts a formula of its own.
    EXPECT_EQ(inCells(Twice + "木" + Twice + "口"), (QStringList{Twice + "木", Twice + "口"}));
    EXPECT_EQ(inCells("沒有構字式"), QStringList());
}

// Line ends, a tab, a Word picture and a page's picture.
const QList<QChar> Boundaries{u'\r', u'\n', u'\v', u'\f', u'\t', QChar(0x01), QChar(0xFFFC)};

TEST(FormulaScanner, AnOperatorThatOpensTheTextOrFollowsABoundaryTakesNoComponentBeforeIt)
{
    EXPECT_EQ(inCells(Beside + "月日" + Beside + "月"),
              (QStringList{Beside + "月", "日" + Beside + "月"}));
    for (const QChar end : Boundaries) {
        EXPECT_EQ(inCells("甲" + QString(end) + Beside + "月"), (QStringList{Beside + "月"}));
        EXPECT_EQ(formulasIn("甲" + QString(end) + Beside + "月", FormulaScanner::Mode::Page),
                  (QStringList{Beside + "月"}));
    }
}

TEST(FormulaScanner, ABoundaryEndsAFormulaAndABracketSearch)
{
    for (const FormulaScanner::Mode mode :
         {FormulaScanner::Mode::Paragraphs, FormulaScanner::Mode::Page}) {
        for (const QChar end : Boundaries) {
            EXPECT_EQ(formulasIn("日" + Beside + end + "月" + Beside + "口", mode),
                      (QStringList{"日" + Beside, "月" + Beside + "口"}));
            EXPECT_EQ(formulasIn(Twice + end + "口", mode), QStringList{Twice})
                << "a prefix operator takes no boundary as its operand";
            EXPECT_EQ(formulasIn(Open + "口" + end + "口" + Close, mode), QStringList{Close})
                << "the bracket is passed over; the closing one stands alone";
        }
    }
}

TEST(FormulaScanner, AnUnclosedBracketIsPassedOverAloneAndTheFormulasAfterItAreFound)
{
    EXPECT_EQ(inCells(Open + "日" + Beside + "月"), (QStringList{"日" + Beside + "月"}));
}

TEST(FormulaScanner, TheFirstClosingBracketEndsABracketedFormula)
{
    EXPECT_EQ(inCells(Open + Open + "口" + Close + Close),
              (QStringList{Open + Open + "口" + Close, Close}));
    EXPECT_EQ(inCells(Open + "日" + Beside + "月口" + Close + "木"),
              (QStringList{Open + "日" + Beside + "月口" + Close}))
        << "the formulas inside a bracket are part of it";
    EXPECT_EQ(inCells(Open + Close + "日" + Beside + "月"), (QStringList{"日" + Beside + "月"}))
        << "empty brackets have nothing to look up";
}

TEST(FormulaScanner, OnAPageLoneUserCharactersAreReportedOnTheirOwn)
{
    const QString user = QStringLiteral("\uE010");
    EXPECT_EQ(formulasIn("甲" + user + "乙" + user + Beside + "口", FormulaScanner::Mode::Page),
              (QStringList{"lone:" + user, user + Beside + "口"}));
    EXPECT_EQ(formulasIn(user + "\n" + Beside + "口", FormulaScanner::Mode::Page),
              (QStringList{"lone:" + user, Beside + "口"}));
    EXPECT_EQ(formulasIn(Open + "口口", FormulaScanner::Mode::Page), QStringList());
    // The first and last codes of the user-defined areas, and the codes just outside.
    for (const char16_t code : {char16_t(0xE000), char16_t(0xF848)}) {
        EXPECT_EQ(formulasIn("甲" + QString(QChar(code)) + "乙", FormulaScanner::Mode::Page),
                  QStringList{"lone:" + QString(QChar(code))})
            << int(code);
    }
    for (const char16_t code : {char16_t(0xDFFF), char16_t(0xF849)})
        EXPECT_EQ(formulasIn("甲" + QString(QChar(code)) + "乙", FormulaScanner::Mode::Page),
                  QStringList())
            << int(code);
}

TEST(SourcePositions, FollowRewritesOfDifferentLengthsInCopyAndSource)
{
    SourcePositions positions;
    EXPECT_EQ(positions.sourcePosition(5), 5);
    // [2, 5) became one glyph in the copy and stayed a formula in the source.
    positions.rewrite(2, 3, 1, 3);
    EXPECT_EQ(positions.sourcePosition(1), 1);
    EXPECT_EQ(positions.sourcePosition(3), 5);
    // Later, copy [6, 10) became one glyph in the copy and a four-character formula of
    // another spelling in the source.
    positions.rewrite(6, 4, 1, 4);
    EXPECT_EQ(positions.sourcePosition(7), 12);
    // A rewrite before both, one character shorter in copy and source alike, moves them
    // along in both.
    positions.rewrite(0, 2, 1, 1);
    EXPECT_EQ(positions.sourcePosition(1), 1);
    EXPECT_EQ(positions.sourcePosition(6), 11);
}

} // namespace
