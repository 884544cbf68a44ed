#include "comAddIn/porvex/candidatedialog.h"
#include "comAddIn/porvex/excel/excelconversion.h"
#include "comAddIn/porvex/lookuprules.h"
#include "comAddIn/porvex/operatorsymbols.h"
#include "conversiontesting.h"
#include "platform/office/excel/xlsxapplication.h"
#include "tests/platform/office/excel/sampleworkbook.h"
#include "tests/support/libreoffice.h"
#include "tests/support/zipfile.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <functional>

using namespace porvex;
using namespace office::excel;
using namespace formulas;

namespace
{

// The sample workbook with formulas among other text in two of its sheets:
//   說文!A1 (標楷體)  見 \uE010 與 明 by their formulas
//   說文!A2           a rich-text cell whose first run is a formula
//   說文!C2           a formula in a run of 標楷體 after text in 新細明體
//   說文!A3           a formula that no record holds holding 明's, then 明's again
//   說文!B3           a joining operator first, then an unclosed bracket before 明's
//   保護!A1           on the protected sheet, the formula the chooser is asked about
class ExcelConversionTest : public ConversionTest
{
protected:
    explicit ExcelConversionTest(int pickerAnswer = 1) : ConversionTest(pickerAnswer) {}

    void SetUp() override
    {
        source = documents.filePath(QStringLiteral("plan.old.xlsx"));
        copy = documents.filePath(QStringLiteral("plan.old☆.xlsx"));
        ASSERT_TRUE(writeSampleWorkbook(source));
        auto opened = excel.workbooks().open(source);
        ASSERT_TRUE(opened.ok()) << opened.errorString().toStdString();
        Workbook &book = *opened.value();
        const std::unique_ptr<Range> protectedCell = cell(book, "保護", "A1");
        ASSERT_NE(protectedCell, nullptr);
        protectedFace = protectedCell->characters(1, 1)->font().name();
        ASSERT_NO_FATAL_FAILURE(write(book, "說文", "A1", "見" + Girl + "與" + Bright));
        const std::unique_ptr<Range> richCell = cell(book, "說文", "A2");
        ASSERT_NE(richCell, nullptr);
        ASSERT_TRUE(richCell->characters(1, 3)->insert(Bright));
        ASSERT_NO_FATAL_FAILURE(write(book, "說文", "C2", "甲" + Girl));
        const std::unique_ptr<Range> mixedCell = cell(book, "說文", "C2");
        mixedCell->characters(1, 1)->font().setName(u"新細明體"_qs);
        mixedCell->characters(2, 3)->font().setName(u"標楷體"_qs);
        ASSERT_NO_FATAL_FAILURE(write(book, "說文", "A3", MissingBracket + "與" + Bright));
        ASSERT_NO_FATAL_FAILURE(write(book, "說文", "B3", MissingHalf + Open + Bright));
        ASSERT_NO_FATAL_FAILURE(write(book, "保護", "A1", Fish));
        ASSERT_TRUE(book.save().ok());
    }

    // The cell, or nullptr when the workbook has no such sheet.
    static std::unique_ptr<Range> cell(Workbook &book, const char *sheet, const char *address)
    {
        Worksheet *worksheet = book.worksheet(QString::fromUtf8(sheet));
        return worksheet ? worksheet->range(QString::fromLatin1(address)) : nullptr;
    }

    static void write(Workbook &book, const char *sheet, const char *address, const QString &text)
    {
        const std::unique_ptr<Range> written = cell(book, sheet, address);
        ASSERT_NE(written, nullptr) << sheet << "!" << address;
        ASSERT_TRUE(written->characters()->insert(text));
    }

    // The workbook as its file holds it now. A cell that cannot be read, in a file that
    // cannot be opened, has no text and no typeface: the checks on it fail, and the test
    // goes on.
    struct Reopened {
        XlsxApplication application;
        Workbook *book = nullptr; // null when the file cannot be opened
        QString text(const char *sheet, const char *address)
        {
            const std::unique_ptr<Range> read = cellOf(sheet, address);
            return read ? read->characters()->text() : QString();
        }
        QString face(const char *sheet, const char *address, int at)
        {
            const std::unique_ptr<Range> read = cellOf(sheet, address);
            return read ? read->characters(at, 1)->font().name() : QString();
        }
        std::unique_ptr<Range> cellOf(const char *sheet, const char *address)
        {
            std::unique_ptr<Range> found = book ? cell(*book, sheet, address) : nullptr;
            EXPECT_NE(found, nullptr) << "no cell " << sheet << "!" << address;
            return found;
        }
    };
    static std::unique_ptr<Reopened> reopen(const QString &path)
    {
        auto reopened = std::make_unique<Reopened>();
        auto book = reopened->application.workbooks().open(path);
        EXPECT_TRUE(book.ok()) << book.errorString().toStdString();
        reopened->book = book.value();
        return reopened;
    }

    platform::Result<bool> convert()
    {
        return ExcelConversion(excel, context).ConvertWorkbookToGlyphs();
    }

    XlsxApplication excel;
    QString source;
    QString copy;
    QString protectedFace;
};

TEST_F(ExcelConversionTest, ThePreviewCopyGetsTheGlyphsAndTheSourceTheOrdinaryOnes)
{
    const platform::Result<bool> run = convert();
    ASSERT_TRUE(run.ok()) << run.errorString().toStdString();

    const auto converted = reopen(copy);
    ASSERT_NE(converted->book, nullptr);
    EXPECT_EQ(converted->text("說文", "A1"), "見\uE010與明");
    EXPECT_EQ(converted->face("說文", "A1", 1), "標楷體");
    EXPECT_EQ(converted->face("說文", "A1", 2), "標楷體外字集三");
    EXPECT_EQ(converted->text("說文", "A2"), "明def");
    EXPECT_EQ(converted->face("說文", "A2", 1), "新細明體") << "the rich run keeps its typeface";
    EXPECT_EQ(converted->text("說文", "C2"), "甲\uE010");
    EXPECT_EQ(converted->face("說文", "C2", 2), "標楷體外字集三") << "from the formula's own run";
    EXPECT_EQ(converted->text("說文", "A3"), MissingBracket + "與明");
    EXPECT_EQ(converted->text("說文", "B3"), MissingHalf + Open + "明");
    EXPECT_EQ(converted->text("保護", "A1"), "\uE002");
    EXPECT_EQ(converted->face("保護", "A1", 1), EudcFaceName(protectedFace, 2));
    for (int index = 1; index <= converted->book->worksheetCount(); ++index)
        EXPECT_TRUE(converted->book->worksheet(index)->protectionMode())
            << "every sheet of the copy is protected, the empty one too";

    // Only the formula at the converted place changes in the source: not the same text
    // inside a longer formula. 明's place in the source is two characters on from the copy's.
    const auto original = reopen(source);
    EXPECT_EQ(original->text("說文", "A1"), "見" + Girl + "與明");
    EXPECT_EQ(original->text("說文", "A2"), "明def");
    EXPECT_EQ(original->text("說文", "A3"), MissingBracket + "與明");
    EXPECT_EQ(original->text("說文", "B3"), MissingHalf + Open + "明");
    EXPECT_EQ(original->text("保護", "A1"), "魚" + Above + "羊") << "the pick spelled out";
    ASSERT_NE(original->book, nullptr);
    const Worksheet *sourceSheet = original->book->worksheet(QStringLiteral("說文"));
    ASSERT_NE(sourceSheet, nullptr);
    EXPECT_FALSE(sourceSheet->protectionMode());

    EXPECT_EQ(picker.asked, 1) << "cells found again are not asked about again";
    EXPECT_EQ(picker.lastFormula, Fish);
    QStringList logged = loggedFormulas();
    logged.sort();
    // B2's formula shows "\uF6A4" and A1's text as the file last computed it: a formula that
    // no record holds, which stays as the calculation made it.
    EXPECT_EQ(logged, (QStringList{MissingHalf, Beside + "甲" + Beside + "乙", MissingBracket}));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(excel.activeWorkbook()->fullName(), copy) << "the copy is left active";
    EXPECT_EQ(excel.cursor(), office::HostApplication::Cursor::Normal);
    EXPECT_TRUE(excel.screenUpdating());
}

TEST_F(ExcelConversionTest, LibreOfficeShowsTheCopysGlyphsOnEverySheet)
{
    ASSERT_TRUE(convert().ok());
    auto csv = testsupport::convertWithLibreOffice(
        copy, QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,"
                             "false,false,-1"));
    ASSERT_TRUE(csv.ok());
    const QString first = QString::fromUtf8(csv->files.value(u"plan.old☆-說文.csv"_qs));
    EXPECT_TRUE(first.contains(u"見\uE010與明"_qs)) << first.toStdString();
    EXPECT_TRUE(first.contains(u"明def"_qs));
    EXPECT_EQ(QString::fromUtf8(csv->files.value(u"plan.old☆-保護.csv"_qs)).trimmed(), "\uE002");
}

TEST_F(ExcelConversionTest, TheCopyRefusesAConversionAndARunAgainReplacesTheOpenCopy)
{
    ASSERT_TRUE(convert().ok());
    ASSERT_TRUE(convert().ok());
    EXPECT_EQ(messages, QStringList{"構字式轉成字形|請回到原始文件或解除文件保護後，再轉換構字式"});
    EXPECT_FALSE(QFile::exists(documents.filePath(u"plan.old☆☆.xlsx"_qs)));

    ASSERT_EQ(excel.workbooks().open(source).ok(), true);
    ASSERT_TRUE(convert().ok());
    int copies = 0;
    for (int index = 1; index <= excel.workbooks().count(); ++index)
        copies += excel.workbooks().item(index)->fullName() == copy;
    EXPECT_EQ(copies, 1);
    EXPECT_EQ(reopen(copy)->text("說文", "A1"), "見\uE010與明");
}

TEST_F(ExcelConversionTest, CellsAsFarAsTheSheetGoesAndRowsPastItConvertAndAreKept)
{
    // The used range spans the whole sheet; a row past the last counts on without a number.
    const QByteArray far = "<row r=\"2147483647\"><c t=\"inlineStr\"><is><t>遠</t></is></c></row>"
                           "<row><c t=\"inlineStr\"><is><t>更遠</t></is></c></row>";
    const QString path = documents.filePath(QStringLiteral("far.xlsx"));
    ASSERT_TRUE(writeWorkbookWithRows(path, far, {}));
    {
        auto opened = excel.workbooks().open(path);
        ASSERT_TRUE(opened.ok()) << opened.errorString().toStdString();
        write(*opened.value(), "說文", "A1", "見" + Bright);
        write(*opened.value(), "說文", "XFD1048576", Bright);
        ASSERT_TRUE(opened.value()->save().ok());
    }
    ASSERT_TRUE(convert().ok());
    const auto converted = reopen(documents.filePath(QStringLiteral("far☆.xlsx")));
    ASSERT_NE(converted->book, nullptr);
    EXPECT_EQ(converted->text("說文", "A1"), "見明");
    EXPECT_EQ(converted->text("說文", "XFD1048576"), "明");
    EXPECT_TRUE(testsupport::zipEntry(documents.filePath(QStringLiteral("far☆.xlsx")),
                                      "xl/worksheets/sheet1.xml")
                    .contains(far));
}

TEST_F(ExcelConversionTest, EveryOperatorOfTheSearchFindsACellThatHoldsOnlyIt)
{
    // One cell for each symbol searched for, in the order of the search, with a formula that
    // no record holds: each cell the search finds has its formula logged.
    QStringList formulas{u"丁\uF6A4丁"_qs,       u"丁\uF6A3丁"_qs, u"丁\uF6A5丁"_qs,
                         u"\uF6AE丁丁\uF6AF"_qs, u"\uF6A7丁"_qs,   u"\uF6A6丁"_qs,
                         u"\uF6A8丁"_qs,         u"\uF6AB丁"_qs,   u"\uF6AA丁"_qs,
                         u"\uF6A9丁"_qs,         u"\uF6AD丁"_qs,   u"\uF6AC丁"_qs};
    const QString path = documents.filePath(QStringLiteral("operators.xlsx"));
    ASSERT_TRUE(writeWorkbookWithRows(path, {}, {}));
    {
        auto opened = excel.workbooks().open(path);
        ASSERT_TRUE(opened.ok()) << opened.errorString().toStdString();
        for (int row = 1; row <= formulas.size(); ++row)
            write(*opened.value(), "說文", qPrintable(u"A%1"_qs.arg(row)), formulas[row - 1]);
        ASSERT_TRUE(opened.value()->save().ok());
    }
    ASSERT_TRUE(convert().ok());
    QStringList logged = loggedFormulas();
    logged.sort();
    formulas.sort();
    EXPECT_EQ(logged, formulas);
}

class ExcelChooserTest : public ExcelConversionTest
{
protected:
    ExcelChooserTest() : ExcelConversionTest(CandidatePicker::NoChoice) {}
};

TEST_F(ExcelChooserTest, TheChooserShowsTheFormulaAndThePickIsWritten)
{
    DialogCandidatePicker dialog;
    context.picker = &dialog;
    QString label;
    QTimer::singleShot(0, [&] {
        QWidget *shown = QApplication::activeModalWidget();
        ASSERT_NE(shown, nullptr);
        const auto *asked = shown->findChild<QLabel *>(QStringLiteral("Label"));
        auto *second = shown->findChild<QPushButton *>(QStringLiteral("cmb2"));
        if (asked == nullptr || second == nullptr) {
            shown->close(); // the run goes on without a pick
            FAIL() << "the chooser has no Label or no cmb2";
        }
        label = asked->text();
        EXPECT_EQ(excel.cursor(), office::HostApplication::Cursor::Normal);
        EXPECT_TRUE(excel.screenUpdating());
        second->click();
    });
    ASSERT_TRUE(convert().ok());
    EXPECT_EQ(label, Fish + "：");
    EXPECT_EQ(reopen(copy)->text("保護", "A1"), "\uE002");
}

// A chooser whose user clicks the Tools item again while it is open, then picks.
class ClickingAgainPicker : public CandidatePicker
{
public:
    std::function<void()> clickAgain;
    int choose(const QString &, const QList<Candidate> &) override
    {
        clickAgain();
        return 1;
    }
};

TEST_F(ExcelChooserTest, ASecondClickWhileTheChooserIsOpenStartsNothing)
{
    ClickingAgainPicker again;
    context.picker = &again;
    int booksDuringChoice = 0;
    bool secondClickOk = false;
    again.clickAgain = [&] {
        secondClickOk = convert().ok();
        booksDuringChoice = excel.workbooks().count();
    };
    ASSERT_TRUE(convert().ok());
    EXPECT_TRUE(secondClickOk);
    EXPECT_EQ(booksDuringChoice, 2) << "no second copy was begun";
    EXPECT_TRUE(messages.isEmpty()) << "nor a refusal shown for the copy's protected sheet";
    EXPECT_FALSE(QFile::exists(documents.filePath(u"plan.old☆☆.xlsx"_qs)));
    EXPECT_EQ(reopen(copy)->text("保護", "A1"), "\uE002") << "the first run went on to its end";
}

TEST(InsertOperatorExcel, PastesTheSymbolIntoTheActiveCellThroughTheClipboard)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("plan.xlsx"));
    ASSERT_TRUE(writeSampleWorkbook(path));
    XlsxApplication excel;
    ASSERT_TRUE(excel.workbooks().open(path).ok());
    QGuiApplication::clipboard()->setText(QStringLiteral("earlier"));
    ASSERT_TRUE(InsertOperator(excel, 2).ok());
    EXPECT_EQ(excel.activeCell()->value(), QVariant(QStringLiteral("\uF6A3")));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "\uF6A3");
}

} // namespace
