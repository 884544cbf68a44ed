// Excel: one text per cell of each open workbook's active sheet, and the active cell,
// which is where a paste goes.
#include "comAddIn/officehost/hostkinds.h"
#include "platform/office/excel/celladdress.h"
#include "platform/office/excel/xlsxapplication.h"
#include "platform/office/excel/xlsxworksheet.h"

namespace officehost
{

namespace
{

using office::excel::CellAddress;

class ExcelWorkbook final : public HostDocument
{
public:
    // Both owned by the application.
    ExcelWorkbook(office::excel::Application &application, office::excel::Workbook *book)
        : m_application(application), m_book(book)
    {
    }

    office::excel::Workbook *model() const { return m_book; }

    office::HostApplication &application() override { return m_application; }
    QString fullName() const override { return m_book->fullName(); }

    QList<TextSegment> segments() override
    {
        m_cells = shownCells();
        QList<TextSegment> segments;
        office::excel::Worksheet *sheet = m_book->activeSheet();
        for (const CellAddress &cell : m_cells) {
            const QString name = office::excel::cellName(cell);
            segments.append({name, sheet->range(name)->value().toString()});
        }
        return segments;
    }

    QString faceAt(int segment, int position) override
    {
        if (segment < 0 || segment >= m_cells.size())
            return QString();
        return m_book->activeSheet()
            ->range(office::excel::cellName(m_cells[segment]))
            ->characters(position + 1, 1)
            ->font()
            .name();
    }

    void select(const SegmentSelection &selection) override
    {
        if (selection.segment < 0 || selection.segment >= m_cells.size())
            return;
        m_book->activeSheet()
            ->range(office::excel::cellName(m_cells[selection.segment]))
            ->activate();
    }

    std::optional<SegmentSelection> selection() override
    {
        const auto cell = activeCell();
        const qsizetype index = cell ? m_cells.indexOf(*cell) : -1;
        if (index < 0)
            return std::nullopt;
        const int length = int(m_book->activeSheet()
                                   ->range(office::excel::cellName(*cell))
                                   ->value()
                                   .toString()
                                   .size());
        return SegmentSelection{int(index), 0, length};
    }
    bool selectsWholeSegments() const override { return true; }

    bool saved() const override { return m_book->saved(); }
    platform::Result<bool> save() override { return m_book->save(); }

private:
    std::optional<CellAddress> activeCell() const
    {
        const auto *sheet = static_cast<office::excel::XlsxWorksheet *>(m_book->activeSheet());
        return sheet ? std::optional(sheet->activeCell()) : std::nullopt;
    }

    // The cells that hold a value, and the active cell, in row order. Only the cells the
    // sheet holds are visited: its used range may span the whole sheet.
    QList<CellAddress> shownCells()
    {
        QList<CellAddress> cells;
        auto *sheet = static_cast<office::excel::XlsxWorksheet *>(m_book->activeSheet());
        if (!sheet)
            return cells;
        for (const CellAddress &cell : sheet->filledCells()) {
            if (sheet->cellValue(cell).isValid())
                cells.append(cell);
        }
        if (const auto cell = activeCell(); cell && !cells.contains(*cell))
            cells.insert(std::lower_bound(cells.begin(), cells.end(), *cell), *cell);
        return cells;
    }

    office::excel::Application &m_application;
    office::excel::Workbook *m_book;
    QList<CellAddress> m_cells; // of the segments last given
};

class ExcelSession final : public MultiDocumentSession<office::excel::XlsxApplication,
                                                       office::excel::Workbook, ExcelWorkbook>
{
private:
    platform::Result<office::excel::Workbook *> openModel(const QString &path) override
    {
        return m_application.workbooks().open(path);
    }
    QList<office::excel::Workbook *> openModels() override
    {
        return itemsOf(m_application.workbooks());
    }
    office::excel::Workbook *activeModel() override { return m_application.activeWorkbook(); }
    void activateModel(office::excel::Workbook *book) override { m_application.activate(book); }
    void closeModel(office::excel::Workbook *book) override { book->close(); }
    std::unique_ptr<ExcelWorkbook> adapt(office::excel::Workbook *book) override
    {
        return std::make_unique<ExcelWorkbook>(m_application, book);
    }
};

} // namespace

std::unique_ptr<HostSession> newExcelSession()
{
    return std::make_unique<ExcelSession>();
}

} // namespace officehost
