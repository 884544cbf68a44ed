// Excel: one text per cell of the active sheet's used range, and the active cell, which
// is where a paste goes.
#include "comAddIn/officehost/hostkinds.h"
#include "platform/office/excel/celladdress.h"
#include "platform/office/excel/xlsxapplication.h"

namespace officehost
{

namespace
{

using office::excel::CellAddress;

class ExcelWorkbook final : public HostDocument
{
public:
    ExcelWorkbook() { takePersistedCommandBars(m_application); }

    platform::Result<bool> open(const QString &path)
    {
        auto book = m_application.workbooks().open(path);
        if (!book.ok())
            return platform::Result<bool>::failure(book.errorString());
        m_book = book.value();
        return true;
    }

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
        const auto active = m_application.activeCell();
        const auto cell =
            active ? office::excel::parseCellAddress(active->address()) : std::nullopt;
        const qsizetype index = cell ? m_cells.indexOf(*cell) : -1;
        if (index < 0)
            return std::nullopt;
        const int length = int(active->value().toString().size());
        return SegmentSelection{int(index), 0, length};
    }

    bool saved() const override { return m_book->saved(); }
    platform::Result<bool> save() override { return m_book->save(); }

private:
    // The cells of the used range that hold something, and the active cell, in row order.
    QList<CellAddress> shownCells()
    {
        QList<CellAddress> cells;
        office::excel::Worksheet *sheet = m_book->activeSheet();
        if (!sheet)
            return cells;
        const QStringList corners = sheet->usedRange()->address().split(u':');
        const auto first = office::excel::parseCellAddress(corners.first());
        const auto last = office::excel::parseCellAddress(corners.last());
        if (first && last) {
            for (int row = first->row; row <= last->row; ++row) {
                for (int column = first->column; column <= last->column; ++column) {
                    const CellAddress cell{row, column};
                    if (sheet->range(office::excel::cellName(cell))->value().isValid())
                        cells.append(cell);
                }
            }
        }
        const auto active = m_application.activeCell();
        if (const auto cell =
                active ? office::excel::parseCellAddress(active->address()) : std::nullopt;
            cell && !cells.contains(*cell)) {
            cells.insert(std::lower_bound(cells.begin(), cells.end(), *cell), *cell);
        }
        return cells;
    }

    office::excel::XlsxApplication m_application;
    office::excel::Workbook *m_book = nullptr; // owned by the application
    QList<CellAddress> m_cells;                // of the segments last given
};

} // namespace

platform::Result<std::unique_ptr<HostDocument>> openExcelWorkbook(const QString &path)
{
    auto book = std::make_unique<ExcelWorkbook>();
    if (auto opened = book->open(path); !opened.ok())
        return platform::Result<std::unique_ptr<HostDocument>>::failure(opened.errorString());
    return std::unique_ptr<HostDocument>(std::move(book));
}

} // namespace officehost
