#include "comAddIn/porvex/excel/excelconversion.h"

#include "comAddIn/porvex/formulascanner.h"
#include "comAddIn/porvex/textconversion.h"

#include <array>

namespace porvex
{

namespace
{

using namespace office::excel;
using Cursor = office::HostApplication::Cursor;

// The operators searched for in every worksheet, by number, in this order; the closing
// bracket and operator 14 never begin a formula that a cell search needs to find.
constexpr std::array<int, 12> kSearchOperators{1, 2, 3, 12, 5, 4, 6, 9, 8, 7, 11, 10};

QString cellKey(const Range &cell)
{
    return cell.worksheet().name() + u'!' + cell.address();
}

// The text of a cell through its characters. A glyph's typeface goes to its first
// character, as the host sets it.
class CellText : public EditableText
{
public:
    explicit CellText(Range &cell) : m_cell(cell) {}

    QString text() const override { return m_cell.characters()->text(); }
    QString face(int start, int length) const override
    {
        return m_cell.characters(start + 1, length)->font().name();
    }
    bool replace(int start, int length, const QString &text) override
    {
        return m_cell.characters(start + 1, length)->insert(text);
    }
    void setGlyphFace(int start, int, const QString &face) override
    {
        m_cell.characters(start + 1, 1)->font().setName(face);
    }

private:
    Range &m_cell;
};

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
        m_context.showMessage({.title = u"構字式轉成字形"_qs,
                               .text = u"請回到原始文件或解除文件保護後，再轉換構字式"_qs});
    return true;
}

platform::Result<bool> ExcelConversion::ConvertWorkbookToGlyphs()
{
    if (ConversionRun::inProgress() || !m_excel.activeWorkbook())
        return true;
    if (refuseProtectedSheet())
        return true;
    ConversionRun run(m_excel, m_context);
    const ScreenUpdatingOff frozen(m_excel);
    m_positions.clear();

    Workbook *source = m_excel.activeWorkbook();
    m_excel.setDisplayAlerts(false);
    Workbook *copy = OpenPreviewCopy(run, *source, m_excel.workbooks(), u"☆.xlsx"_qs);
    m_excel.setDisplayAlerts(true);
    if (copy) {
        for (int index = 1; index <= copy->worksheetCount(); ++index) {
            if (Worksheet *sheet = copy->worksheet(index))
                convertWorksheet(run, *sheet, *source);
        }
        SaveSource(run, *source);
        SaveCopy(run, *copy);
    }
    return run.finish();
}

void ExcelConversion::convertWorksheet(ConversionRun &run, Worksheet &copy, Workbook &source)
{
    std::unique_ptr<Range> used = copy.usedRange();
    // Only a used range of one empty cell has an Empty value. A larger one, which may span the
    // whole sheet, is not read cell by cell to learn that.
    const bool holdsValues = used && (used->address().contains(u':') || used->value().isValid());
    Worksheet *sourceSheet = source.worksheet(copy.name());
    if (holdsValues && sourceSheet) {
        std::unique_ptr<Range> cells = copy.cells();
        for (int number : kSearchOperators) {
            const QString symbol(QChar(StandardOperatorCode(number)));
            std::unique_ptr<Range> found = cells->find(symbol, LookIn::Values);
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
    CellText copy(copyCell);
    CellText source(sourceCell);
    ConvertTextFormulas(run, picker, copy, source, m_positions[cellKey(sourceCell)]);
}

} // namespace porvex
