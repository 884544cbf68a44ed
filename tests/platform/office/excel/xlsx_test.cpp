#include "platform/office/excel/xlsxapplication.h"
#include "sampleworkbook.h"
#include "tests/support/libreoffice.h"
#include "tests/support/zipfile.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace office::excel;

namespace
{

const QString operatorH = QStringLiteral("\uF6A4");

class XlsxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        source = folder.filePath("plan.old.xlsx");
        ASSERT_TRUE(writeSampleWorkbook(source));
        auto opened = application.workbooks().open(source);
        ASSERT_TRUE(opened.ok()) << opened.errorString().toStdString();
        book = opened.value();
        sheet = book->worksheet(QStringLiteral("說文"));
        ASSERT_NE(sheet, nullptr);
    }

    Range &cell(const char *address)
    {
        held.push_back(sheet->range(QString::fromLatin1(address)));
        return *held.back();
    }

    QString saveCopy(const char *name)
    {
        QString path = folder.filePath(QString::fromLatin1(name));
        auto saved = book->saveAs(path);
        EXPECT_TRUE(saved.ok()) << saved.errorString().toStdString();
        return path;
    }

    QTemporaryDir folder;
    QString source;
    XlsxApplication application;
    Workbook *book = nullptr;
    Worksheet *sheet = nullptr;
    std::vector<std::unique_ptr<Range>> held;
};

TEST_F(XlsxTest, WorkbookSheetsValuesAndFontsAreRead)
{
    EXPECT_EQ(application.name(), "Microsoft Excel");
    EXPECT_EQ(application.activeWorkbook(), book);
    EXPECT_EQ(book->name(), "plan.old.xlsx");
    EXPECT_EQ(book->path(), folder.path());
    EXPECT_EQ(book->worksheetCount(), 3);
    EXPECT_EQ(book->activeSheet(), sheet);
    EXPECT_TRUE(book->saved());
    EXPECT_FALSE(sheet->protectionMode());
    EXPECT_TRUE(book->worksheet(2)->protectionMode());
    EXPECT_EQ(book->worksheet(4), nullptr);

    EXPECT_EQ(sheet->usedRange()->address(), "$A$1:$C$3");
    EXPECT_TRUE(sheet->usedRange()->value().isValid());
    auto emptyUsed = book->worksheet(QStringLiteral("空"))->usedRange();
    EXPECT_EQ(emptyUsed->address(), "$A$1");
    EXPECT_FALSE(emptyUsed->value().isValid()) << "a formatted cell without a value is Empty";

    EXPECT_EQ(cell("B1").value(), QVariant(42.0));
    EXPECT_EQ(cell("C1").value(), QVariant(84.0));
    EXPECT_EQ(cell("A1").value(), QVariant(QStringLiteral("甲") + operatorH + "乙"));
    EXPECT_EQ(application.activeCell()->address(), "$B$2");

    auto a1 = cell("A1").characters(1, -1);
    EXPECT_EQ(a1->count(), 3);
    EXPECT_EQ(cell("A1").characters(2, 1)->text(), operatorH);
    EXPECT_EQ(cell("A1").characters(3, 5)->text(), "乙") << "a stretch past the end is clipped";
    EXPECT_EQ(a1->font().name(), "標楷體") << "plain text shows the cell's font";
    EXPECT_EQ(cell("A2").characters(1, 3)->font().name(), "新細明體");
    EXPECT_EQ(cell("A2").characters(4, 3)->font().name(), "標楷體");
    EXPECT_EQ(cell("A2").characters(3, 2)->font().name(), QString()) << "mixed typefaces";
    EXPECT_EQ(a1->parent()->address(), "$A$1");
}

TEST_F(XlsxTest, FindWalksRowsFromAfterTheFirstCellAndWrapsRound)
{
    auto cells = sheet->cells();
    auto found = cells->find(operatorH, LookIn::Values);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->address(), "$B$2") << "A1 comes last: the search begins after it";
    auto next = cells->findNext(*found);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->address(), "$A$1");
    EXPECT_EQ(cells->findNext(*next)->address(), "$B$2");

    auto twin = cells->find(QStringLiteral("重複"), LookIn::Values);
    ASSERT_TRUE(twin);
    EXPECT_EQ(twin->address(), "$A$3");
    EXPECT_EQ(cells->findNext(*twin)->address(), "$B$3");
    EXPECT_EQ(cells->find(QStringLiteral("B1*2"), LookIn::Values), nullptr);
    EXPECT_EQ(cells->find(QStringLiteral("B1*2"), LookIn::Formulas)->address(), "$C$1");
    EXPECT_EQ(cells->find(QStringLiteral("無此字"), LookIn::Values), nullptr);
    EXPECT_EQ(cells->find(QStringLiteral("ABC"), LookIn::Values)->address(), "$A$2")
        << "case is ignored";
}

TEST_F(XlsxTest, WritingAGlyphChangesOnlyThoseCharactersAndTheirTypeface)
{
    auto formula = cell("A1").characters(1, 2);
    ASSERT_TRUE(formula->insert(QStringLiteral("\uE000")));
    cell("A1").characters(1, 1)->font().setName(QStringLiteral("Tesvani標楷體"));
    EXPECT_EQ(cell("A1").value(), QVariant(QStringLiteral("\uE000乙")));
    EXPECT_EQ(cell("A1").characters(1, 1)->font().name(), "Tesvani標楷體");
    EXPECT_EQ(cell("A1").characters(2, 1)->font().name(), "標楷體");
    ASSERT_TRUE(cell("A1").characters(2, 0)->insert(QStringLiteral("字")));
    EXPECT_EQ(cell("A1").characters(2, 1)->font().name(), "Tesvani標楷體")
        << "text put between characters continues the one before";
    ASSERT_TRUE(cell("A1").characters(2, 1)->insert(QString()));
    EXPECT_FALSE(book->saved());

    // Part of a rich run: the run splits, its other properties stay.
    cell("A2").characters(2, 1)->font().setName(QStringLiteral("細明體"));
    EXPECT_EQ(cell("A2").characters(1, 1)->font().name(), "新細明體");
    EXPECT_EQ(cell("A2").characters(2, 1)->font().name(), "細明體");
    EXPECT_EQ(cell("A2").characters(3, 1)->font().name(), "新細明體");

    // A shared string used by two cells: editing one leaves the other.
    ASSERT_TRUE(cell("A3").characters(1, 1)->insert(QStringLiteral("單")));
    EXPECT_EQ(cell("A3").value(), QVariant(QStringLiteral("單複")));
    EXPECT_EQ(cell("B3").value(), QVariant(QStringLiteral("重複")));

    EXPECT_FALSE(cell("C1").characters(1, 1)->insert(QStringLiteral("x"))) << "formula";
    EXPECT_FALSE(cell("B1").characters(1, 1)->insert(QStringLiteral("x"))) << "number";

    QString copy = saveCopy("copy.xlsx");
    EXPECT_TRUE(book->saved());
    XlsxApplication again;
    auto reopened = again.workbooks().open(copy);
    ASSERT_TRUE(reopened.ok());
    Worksheet *copied = reopened.value()->worksheet(1);
    EXPECT_EQ(copied->range("A1")->characters(1, 1)->font().name(), "Tesvani標楷體");
    EXPECT_EQ(copied->range("A1")->characters(2, 1)->font().name(), "標楷體");
    EXPECT_EQ(copied->range("A2")->characters(2, 1)->font().name(), "細明體");
    EXPECT_EQ(copied->range("A2")->value(), QVariant(QStringLiteral("abcdef")));
    EXPECT_EQ(copied->range("C1")->value(), QVariant(84.0));

    QByteArray sheetXml = testsupport::zipEntry(copy, "xl/worksheets/sheet1.xml");
    EXPECT_TRUE(sheetXml.contains("<f>B1*2</f>")) << "formulas are kept";
    EXPECT_TRUE(sheetXml.contains("<sz val=\"14\"/>")) << "the new run keeps the cell's size";
    EXPECT_FALSE(sheetXml.contains("scheme")) << "no theme font overrides the typeface";
    for (const char *untouched : {"xl/worksheets/sheet2.xml", "xl/worksheets/sheet3.xml",
                                  "xl/styles.xml", "xl/sharedStrings.xml"})
        EXPECT_EQ(testsupport::zipEntry(copy, untouched), testsupport::zipEntry(source, untouched))
            << untouched;
    EXPECT_TRUE(
        testsupport::zipEntry(copy, "xl/workbook.xml").contains("<calcPr fullCalcOnLoad=\"1\"/>"))
        << "formulas that read an edited cell are calculated again on opening";
}

TEST_F(XlsxTest, ReplaceChangesEveryOccurrenceInStringCellsOnly)
{
    ASSERT_TRUE(cell("A1").characters(1, 3)->insert(QStringLiteral("甲") + operatorH + "乙甲"));
    cell("A1").characters(1, 1)->font().setName(QStringLiteral("細明體"));
    EXPECT_TRUE(cell("A1").replace(QStringLiteral("甲") + operatorH + "乙", QStringLiteral("鉀")));
    EXPECT_EQ(cell("A1").value(), QVariant(QStringLiteral("鉀甲")));
    EXPECT_EQ(cell("A1").characters(1, 1)->font().name(), "細明體")
        << "the replacement takes the font of what it replaces";

    EXPECT_FALSE(cell("B2").replace(operatorH, QStringLiteral("x"))) << "formula results stay";
    EXPECT_TRUE(sheet->usedRange()->replace(QStringLiteral("重"), QStringLiteral("輕")));
    EXPECT_EQ(cell("A3").value(), QVariant(QStringLiteral("輕複")));
    EXPECT_EQ(cell("B3").value(), QVariant(QStringLiteral("輕複")));
    EXPECT_FALSE(cell("A1").replace(QString(), QStringLiteral("x")));
}

TEST_F(XlsxTest, ProtectionIsWrittenWhereTheFormatWantsItAndSurvivesSaving)
{
    Worksheet *empty = book->worksheet(QStringLiteral("空"));
    sheet->protect(true);
    empty->protect(true);
    EXPECT_TRUE(sheet->protectionMode());
    QString copy = saveCopy("protected.xlsx");

    QByteArray sheetXml = testsupport::zipEntry(copy, "xl/worksheets/sheet1.xml");
    int data = int(sheetXml.indexOf("</sheetData>"));
    int protection = int(sheetXml.indexOf("<sheetProtection"));
    int margins = int(sheetXml.indexOf("<pageMargins"));
    EXPECT_TRUE(data < protection && protection < margins) << sheetXml.toStdString();

    XlsxApplication again;
    auto reopened = again.workbooks().open(copy);
    ASSERT_TRUE(reopened.ok());
    EXPECT_TRUE(reopened.value()->worksheet(1)->protectionMode());
    EXPECT_TRUE(reopened.value()->worksheet(3)->protectionMode());
}

TEST_F(XlsxTest, WorkbooksTrackSaveAsCloseAndTheActiveCell)
{
    QString copyPath = folder.filePath("plan.old☆.xlsx");
    ASSERT_TRUE(book->saveAs(copyPath).ok());
    EXPECT_EQ(book->fullName(), copyPath);
    ASSERT_TRUE(book->saveAs(source).ok());
    EXPECT_EQ(book->name(), "plan.old.xlsx");

    auto copy = application.workbooks().open(copyPath);
    ASSERT_TRUE(copy.ok());
    EXPECT_EQ(application.workbooks().count(), 2);
    EXPECT_EQ(application.activeWorkbook(), copy.value());
    copy.value()->close();
    EXPECT_EQ(application.workbooks().count(), 1);
    EXPECT_EQ(application.activeWorkbook(), book);

    auto missing = application.workbooks().open(folder.filePath("none.xlsx"));
    EXPECT_FALSE(missing.ok());
    EXPECT_EQ(application.workbooks().count(), 1);

    Worksheet *locked = book->worksheet(QStringLiteral("保護"));
    locked->range("A1")->activate();
    EXPECT_EQ(book->activeSheet(), locked);
    EXPECT_EQ(&application.activeCell()->worksheet(), locked);
}

TEST_F(XlsxTest, RowsPastTheLastRowOfTheSheetAreLeftAsTheyAre)
{
    // The row after the last a signed number can count would overflow if counted on.
    const QByteArray rows = "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>甲</t></is></c></row>"
                            "<row r=\"2147483647\"><c t=\"inlineStr\"><is><t>乙</t></is></c></row>"
                            "<row><c t=\"inlineStr\"><is><t>丙</t></is></c></row>"
                            "<row r=\"2\"><c><v>7</v></c></row>";
    const QString path = folder.filePath("far.xlsx");
    ASSERT_TRUE(writeWorkbookWithRows(path, rows, {}));
    auto opened = application.workbooks().open(path);
    ASSERT_TRUE(opened.ok()) << opened.errorString().toStdString();
    Worksheet *far = opened.value()->worksheet(1);
    EXPECT_EQ(far->usedRange()->address(), "$A$1:$A$2");
    EXPECT_EQ(far->range("A2")->value(), QVariant(7.0));
    EXPECT_EQ(far->cells()->find("丙"), nullptr);

    ASSERT_TRUE(far->range("A1")->characters()->insert("丁"));
    ASSERT_TRUE(opened.value()->save().ok());
    const QByteArray saved = testsupport::zipEntry(path, "xl/worksheets/sheet1.xml");
    EXPECT_TRUE(saved.contains("<row r=\"2147483647\"><c t=\"inlineStr\"><is><t>乙</t></is></c>"
                               "</row><row><c t=\"inlineStr\"><is><t>丙</t></is></c></row>"))
        << saved.toStdString();
}

TEST_F(XlsxTest, OnlyCellsAtAddressesOfTheSheetAreConverted)
{
    const auto text = [](const char *r) {
        return QByteArray("<c r=\"") + r + "\" t=\"inlineStr\"><is><t>甲</t></is></c>";
    };
    const QByteArray countedOn = "<c t=\"inlineStr\"><is><t>甲</t></is></c>";
    const auto shared = [](const char *index) {
        return QByteArray("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>") + index + "</v></c></row>";
    };
    const auto inRow = [](const char *r, const QByteArray &cells) {
        return QByteArray("<row r=\"") + r + "\">" + cells + "</row>";
    };
    const QByteArray one = "<v>1</v></c>";
    struct Case {
        QByteArray rows;
        const char *convertedAt; // nullptr: left as it is
    };
    const Case cases[] = {
        {inRow("1", text("A1")), "A1"},
        {inRow("1048576", text("XFD1048576")), "XFD1048576"},
        {inRow("1048576", "<c r=\"XFC1048576\">" + one + countedOn), "XFD1048576"},
        {"<row r=\"1048575\"><c>" + one + "</row><row>" + countedOn + "</row>", "A1048576"},
        {shared("0"), "A1"},
        {inRow("1", text("A1048577")), nullptr},
        {inRow("1048577", text("A1048577")), nullptr},
        {inRow("1", text("XFE1")), nullptr},
        {inRow("1", text("AAAA1")), nullptr},
        {inRow("1", text("A0")), nullptr},
        {inRow("1", text("1A")), nullptr},
        {inRow("1", text("")), nullptr},
        {inRow("1", text("A2")), nullptr},
        {inRow("1", "<c r=\"A1\">" + one + text("A4294967297")), nullptr},
        {inRow("1", "<c r=\"XFE1\">" + one + countedOn), nullptr},
        {inRow("1048576", "<c r=\"XFD1048576\">" + one + countedOn), nullptr},
        {inRow("1048577", countedOn), nullptr},
        {inRow("0", countedOn), nullptr},
        {inRow("-1", countedOn), nullptr},
        {inRow("1e3", countedOn), nullptr},
        {inRow("", countedOn), nullptr},
        {"<row r=\"0\"><c>" + one + "</row><row>" + countedOn + "</row>", nullptr},
        {"<row r=\"1048576\"><c>" + one + "</row><row>" + countedOn + "</row>", nullptr},
        {shared("4294967296"), nullptr},
        {shared("1e400"), nullptr},
        {shared("-1"), nullptr},
    };
    // A cell that is always converted, so that the sheet is written again.
    const QByteArray anchor = inRow("1000", text("C1000"));
    const QString path = folder.filePath("addresses.xlsx");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.rows.toStdString());
        ASSERT_TRUE(writeWorkbookWithRows(path, c.rows + anchor, {"甲"}));
        XlsxApplication host;
        auto opened = host.workbooks().open(path);
        ASSERT_TRUE(opened.ok()) << opened.errorString().toStdString();
        Worksheet *edited = opened.value()->worksheet(1);
        EXPECT_TRUE(edited->usedRange()->replace("甲", "乙"));
        EXPECT_EQ(edited->range("C1000")->value(), QVariant("乙"));
        if (c.convertedAt) {
            EXPECT_EQ(edited->range(c.convertedAt)->value(), QVariant("乙"));
        }
        ASSERT_TRUE(opened.value()->save().ok());
        const QByteArray saved = testsupport::zipEntry(path, "xl/worksheets/sheet1.xml");
        EXPECT_EQ(saved.contains(c.rows), !c.convertedAt) << saved.toStdString();
    }

    // Past the end of the table: nothing to show, and nothing typed replaces it.
    ASSERT_TRUE(writeWorkbookWithRows(path, shared("1"), {"甲"}));
    XlsxApplication host;
    auto opened = host.workbooks().open(path);
    ASSERT_TRUE(opened.ok());
    EXPECT_FALSE(opened.value()->worksheet(1)->range("A1")->characters()->insert("乙"));
}

TEST_F(XlsxTest, WorkbookWithAPartDeclaringADocumentTypeIsRefusedAndLeftAsItWas)
{
    for (const char *part : {"xl/worksheets/sheet1.xml", "xl/sharedStrings.xml"}) {
        SCOPED_TRACE(part);
        const QString path = folder.filePath("entity.xlsx");
        ASSERT_TRUE(testsupport::writeZip(
            path, testsupport::declaringEntity(testsupport::readZip(source), part)));
        const QByteArray before = testsupport::zipEntry(path, part);
        ASSERT_TRUE(before.contains("<!ENTITY"));
        XlsxApplication host;
        auto opened = host.workbooks().open(path);
        EXPECT_FALSE(opened.ok());
        EXPECT_TRUE(opened.errorString().contains(QString::fromLatin1(part) + " 含有文件類型宣告"))
            << opened.errorString().toStdString();
        EXPECT_EQ(testsupport::zipEntry(path, part), before);
    }
}

TEST_F(XlsxTest, EveryOneOfManySharedStringsIsRead)
{
    // Enough strings that reading each by walking the table from its start never ends.
    constexpr int count = 50000;
    const QString path = folder.filePath("strings.xlsx");
    ASSERT_TRUE(writeSharedStringsWorkbook(path, count));
    auto opened = application.workbooks().open(path);
    ASSERT_TRUE(opened.ok()) << opened.errorString().toStdString();
    Worksheet *many = opened.value()->worksheet(1);
    int right = 0;
    for (int i = 1; i <= count; ++i)
        right +=
            many->range("A" + QString::number(i))->value() == QVariant("字" + QString::number(i));
    EXPECT_EQ(right, count);
    auto found = many->cells()->find("字49999");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->address(), "$A$49999");
}

TEST_F(XlsxTest, PastePutsTheClipboardTextIntoTheActiveCell)
{
    int argc = 0;
    QGuiApplication gui(argc, nullptr);
    QGuiApplication::clipboard()->setText(QStringLiteral("\uF6A3"));
    cell("C1").activate();
    application.activeCell()->worksheet().paste();
    EXPECT_EQ(cell("C1").value(), QVariant(QStringLiteral("\uF6A3")));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("\uF6A3"));
}

TEST_F(XlsxTest, TypingAtTheCaretPastesIntoTheActiveCellWhenThereIsAClipboard)
{
    cell("A1").activate();
    const QVariant before = cell("A1").value();
    EXPECT_FALSE(application.typeAtCaret(operatorH).ok()) << "no clipboard to paste from";
    EXPECT_EQ(cell("A1").value(), before);
    {
        XlsxApplication empty;
        EXPECT_FALSE(empty.typeAtCaret(operatorH).ok()) << "no workbook is open";
    }

    int argc = 0;
    QGuiApplication gui(argc, nullptr);
    cell("A1").activate();
    ASSERT_TRUE(application.typeAtCaret(operatorH).ok());
    EXPECT_EQ(cell("A1").value(), QVariant(operatorH)) << "the cell's text is replaced";
    EXPECT_EQ(QGuiApplication::clipboard()->text(), operatorH);

    QStringList taken;
    application.setCaretSink([&taken](const QString &text) { taken << text; });
    QGuiApplication::clipboard()->setText(u"earlier"_qs);
    ASSERT_TRUE(application.typeAtCaret(u"\uF6A3"_qs).ok());
    EXPECT_EQ(taken, QStringList{u"\uF6A3"_qs});
    EXPECT_EQ(cell("A1").value(), QVariant(operatorH));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"earlier"_qs);
}

TEST_F(XlsxTest, EditedWorkbookOpensInLibreOfficeWithItsText)
{
    ASSERT_TRUE(cell("A1").characters(1, 3)->insert(QStringLiteral("鉀")));
    cell("A1").characters(1, 1)->font().setName(QStringLiteral("AR PL UKai TW"));
    cell("A2").characters(4, 3)->font().setName(QStringLiteral("AR PL UMing TW"));
    sheet->protect(true);
    QString copy = saveCopy("edited.xlsx");

    // UTF-8, every sheet to a file of its own.
    auto csv = testsupport::convertWithLibreOffice(
        copy, QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,"
                             "false,false,-1"));
    ASSERT_TRUE(csv.ok());
    QStringList lines = QString::fromUtf8(csv->files.value("edited-說文.csv")).split(u'\n');
    ASSERT_GE(lines.size(), 3) << csv->files.keys().join(u' ').toStdString();
    EXPECT_EQ(lines[0].trimmed(), QStringLiteral("鉀,42,84"));
    EXPECT_EQ(lines[1].trimmed(), QStringLiteral("abcdef,") + operatorH + "鉀,")
        << "the formula is calculated again from the edited cell";
    EXPECT_EQ(lines[2].trimmed(), QStringLiteral("重複,重複,"));
    EXPECT_EQ(QString::fromUtf8(csv->files.value("edited-保護.csv")).trimmed(), "鎖");

    auto flat = testsupport::convertWithLibreOffice(copy, QStringLiteral("fods"));
    ASSERT_TRUE(flat.ok());
    QString document = QString::fromUtf8(flat->document);
    EXPECT_TRUE(document.contains("style:font-name-asian=\"AR PL UKai TW"));
    EXPECT_TRUE(document.contains("style:font-name-asian=\"AR PL UMing TW"));
    EXPECT_TRUE(document.contains("table:name=\"說文\" table:style-name=\"ta1\" "
                                  "table:protected=\"true\""));
}

} // namespace
