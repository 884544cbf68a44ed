#pragma once

#include "platform/office/excel/celladdress.h"
#include "platform/office/excel/excel.h"
#include "platform/office/package/styledtext.h"

#include <QHash>
#include <pugixml.hpp>

namespace office::excel
{

class XlsxWorkbook;

// A rectangle of cells, corners included.
struct CellArea {
    CellAddress first;
    CellAddress last;
    bool contains(const CellAddress &cell) const
    {
        return cell.row >= first.row && cell.row <= last.row && cell.column >= first.column &&
               cell.column <= last.column;
    }
};

// One worksheet part of an .xlsx workbook, edited in place.
class XlsxWorksheet : public Worksheet
{
public:
    XlsxWorksheet(XlsxWorkbook &workbook, QString name, QString partName);

    QString name() const override { return m_name; }
    bool protectionMode() const override;
    void protect(bool userInterfaceOnly) override;
    std::unique_ptr<Range> usedRange() override;
    std::unique_ptr<Range> cells() override;
    std::unique_ptr<Range> range(const QString &address) override;
    void paste() override;
    Workbook &workbook() const override;

    bool load(); // false when the part is missing or not well-formed
    CellAddress activeCell() const { return m_activeCell; }
    void setActiveCell(const CellAddress &cell) { m_activeCell = cell; }

    // The text a search looks at, and the value the host gives for the cell.
    QString cellText(const CellAddress &cell, LookIn lookIn);
    QVariant cellValue(const CellAddress &cell);
    // The formatted text of a cell; a number or formula gives its value as one plain run.
    StyledText styledText(const CellAddress &cell);
    bool holdsEditableText(const CellAddress &cell);
    // Writes text into a cell as an inline string; false for a formula cell unless
    // overFormula (a paste replaces whatever the cell held).
    bool setStyledText(const CellAddress &cell, const StyledText &text, bool overFormula = false);
    QString fontName(const CellAddress &cell);
    QByteArray fontRunProperties(const CellAddress &cell);

    // Cells holding something, in row-major order.
    QList<CellAddress> filledCells();
    // The search of find()/findNext() over area, remembered for findNext().
    std::unique_ptr<Range> search(const CellArea &area, const CellAddress &after,
                                  const QString *what, LookIn lookIn);

private:
    pugi::xml_node cellNode(const CellAddress &cell);
    pugi::xml_node createCellNode(const CellAddress &cell);
    void indexCells();
    int styleOf(const pugi::xml_node &cell) const;

    XlsxWorkbook &m_workbook;
    QString m_name;
    QString m_partName;
    pugi::xml_node m_sheetData;
    QHash<quint64, pugi::xml_node> m_cells;
    CellAddress m_activeCell;
    QString m_searchWhat;
    LookIn m_searchLookIn = LookIn::Values;
};

} // namespace office::excel
