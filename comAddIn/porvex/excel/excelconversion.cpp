#include "comAddIn/porvex/excel/excelconversion.h"

#include "comAddIn/porvex/formulascanner.h"

#include <QClipboard>
#include <QGuiApplication>
#include <array>

namespace porvex
{

namespace
{

using namespace office::excel;
using Cursor = office::HostApplication::Cursor;

// Searched for in every worksheet, in this order; the closing bracket and U+F6B0 never
// begin a formula that a cell search needs to find.
constexpr std::array<char16_t, 12> kSearchSymbols{0xF6A4, 0xF6A3, 0xF6A5, 0xF6AE, 0xF6A7, 0xF6A6,
                                                  0xF6A8, 0xF6AB, 0xF6AA, 0xF6A9, 0xF6AD, 0xF6AC};

QString cellKey(const Range &cell)
{
    return cell.worksheet().name() + u'!' + cell.address();
}

} // namespace

ExcelConversion::ExcelConversion(Application &excel, const ConversionContext &context)
    : m_excel(excel), m_context(context)
{
}

bool ExcelConversion::refuseProtectedSheet()
{
    Workbook *book = m_excel.activeWorkbook();
    Worksheet *sheet = book ? book->activeSheet() : nullptr;
    if (!sheet || !sheet->protectionMode())
        return false;
    if (m_context.showMessage)
        m_context.showMessage(u"構字式轉成字形"_qs,
                              u"請回到原始文件或解除文件保護後，再轉換構字式"_qs);
    return true;
}

platform::Result<bool> ExcelConversion::ConvertWorkbookToGlyphs()
{
    if (!m_excel.activeWorkbook())
        return true;
    if (refuseProtectedSheet())
        return true;
    ConversionRun run(m_excel, m_context);
    m_excel.setScreenUpdating(false);
    m_positions.clear();

    Workbook *source = m_excel.activeWorkbook();
    if (Workbook *copy = writePreviewCopy(run)) {
        for (int index = 1; index <= copy->worksheetCount(); ++index) {
            if (Worksheet *sheet = copy->worksheet(index))
                convertWorksheet(run, *sheet, *source);
        }
        for (Workbook *book : {source, copy}) {
            if (!book->saved()) {
                if (platform::Result<bool> saved = book->save(); !saved)
                    run.fail(saved.errorString());
            }
        }
    }
    m_excel.setScreenUpdating(true);
    return run.finish();
}

Workbook *ExcelConversion::writePreviewCopy(ConversionRun &run)
{
    Workbook *source = m_excel.activeWorkbook();
    if (!source->saved()) {
        if (platform::Result<bool> saved = source->save(); !saved)
            run.fail(saved.errorString());
    }
    if (source->path().isEmpty())
        return nullptr; // never saved: there is nowhere to put the copy
    const QString sourcePath = source->fullName();
    const QString copyPath = PreviewCopyPath(source->path(), source->name(), u"☆.xlsx"_qs);

    Workbooks &books = m_excel.workbooks();
    for (int index = books.count(); index >= 1; --index) {
        if (Workbook *book = books.item(index); book && book->fullName() == copyPath)
            book->close();
    }
    m_excel.setDisplayAlerts(false);
    platform::Result<bool> copied = source->saveAs(copyPath);
    if (copied) {
        if (platform::Result<bool> back = source->saveAs(sourcePath); !back)
            run.fail(back.errorString());
    }
    m_excel.setDisplayAlerts(true);
    if (!copied) {
        run.fail(copied.errorString());
        return nullptr;
    }
    platform::Result<Workbook *> copy = books.open(copyPath);
    if (!copy) {
        run.fail(copy.errorString());
        return nullptr;
    }
    return copy.value();
}

void ExcelConversion::convertWorksheet(ConversionRun &run, Worksheet &copy, Workbook &source)
{
    std::unique_ptr<Range> used = copy.usedRange();
    Worksheet *sourceSheet = source.worksheet(copy.name());
    if (used && used->value().isValid() && sourceSheet) {
        std::unique_ptr<Range> cells = copy.cells();
        for (char16_t symbol : kSearchSymbols) {
            std::unique_ptr<Range> found = cells->find(QString(QChar(symbol)), LookIn::Values);
            if (!found)
                continue;
            const QString first = found->address();
            // The first cell found is converted last, when the search comes back to it.
            do {
                found = cells->findNext(*found);
                if (!found)
                    break;
                if (std::unique_ptr<Range> sourceCell = sourceSheet->range(found->address()))
                    ConvertCellFormulas(run, *found, *sourceCell);
            } while (found->address() != first);
        }
    }
    copy.protect(true);
}

void ExcelConversion::ConvertCellFormulas(ConversionRun &run, Range &copyCell, Range &sourceCell)
{
    const FormulaScanner scanner(FormulaScanner::Mode::Paragraphs);
    SourcePositions &positions = m_positions[cellKey(sourceCell)];
    HostPicker picker(
        *m_context.picker,
        [&] {
            m_excel.setCursor(Cursor::Normal);
            m_excel.setScreenUpdating(true);
            copyCell.activate();
        },
        [&] {
            m_excel.setScreenUpdating(false);
            m_excel.setCursor(Cursor::Wait);
        });

    int from = 0;
    for (;;) {
        // The text is read again after every write, which changes its length.
        const QString text = copyCell.characters()->text();
        const std::optional<FoundFormula> found = scanner.next(text, from);
        if (!found)
            break;
        const QString formula = text.mid(found->start, found->length);
        const Lookup &lookup = run.engine().lookUp(formula, picker);
        std::unique_ptr<Characters> range = copyCell.characters(found->start + 1, found->length);
        const GlyphWrite write = lookup.writeFor(range->font().name());
        if (!write.writes())
            continue;
        if (!range->insert(write.text))
            continue;
        if (write.face)
            copyCell.characters(found->start + 1, 1)->font().setName(*write.face);
        writeSource(sourceCell, positions, found->start, formula, lookup.resultText,
                    int(write.text.size()));
        from = found->start + 1;
    }
}

void ExcelConversion::writeSource(Range &sourceCell, SourcePositions &positions, int copyAt,
                                  const QString &formula, const QString &resultText, int copyLength)
{
    int sourceLength = int(formula.size());
    if (!resultText.isEmpty()) {
        // Only the formula at this place changes: another one that holds the same text, or
        // the same formula elsewhere in the cell, is a formula of its own.
        const int at = positions.sourcePosition(copyAt);
        std::unique_ptr<Characters> place = sourceCell.characters(at + 1, int(formula.size()));
        if (place->text() == formula && place->insert(resultText))
            sourceLength = int(resultText.size());
    }
    positions.rewrite(copyAt, int(formula.size()), copyLength, sourceLength);
}

platform::Result<bool> InsertOperatorInto(Application &excel, int k)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    const QString symbol = OperatorSymbol(k);
    if (!symbol.isEmpty())
        clipboard->setText(symbol);
    std::unique_ptr<Range> cell = excel.activeCell();
    if (!cell)
        return true;
    cell->worksheet().paste();
    return true;
}

} // namespace porvex
