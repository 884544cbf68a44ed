#include "platform/office/excel/xlsxworksheet.h"

#include "platform/office/excel/stringitem.h"
#include "platform/office/excel/xlsxrange.h"
#include "platform/office/excel/xlsxworkbook.h"
#include "platform/office/package/xmlnodes.h"

#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>

namespace office::excel
{

namespace
{

quint64 key(const CellAddress &cell)
{
    return (quint64(cell.row) << 16) | quint64(cell.column);
}

// Where a row or a cell stands counts on from the one before it when the file does not say,
// so its place is unknown after one whose place is unknown (nothing).
using Place = std::optional<int>;

// The number of a row element: its r attribute, else the number after the previous row's.
// Nothing for a row that is not the sheet's: its r is not a number of the sheet's rows, or
// it counts on from the last row or a row not the sheet's. Such rows are left as they are.
Place rowNumber(const pugi::xml_node &row, Place previous)
{
    const pugi::xml_attribute named = row.attribute("r");
    if (!named)
        return previous && *previous < maxRows ? Place(*previous + 1) : std::nullopt;
    const Place number = parseDecimal(QString::fromUtf8(named.value()), maxRows);
    return number && *number > 0 ? number : std::nullopt;
}

// The column of a cell element in the row numbered row: from its r attribute, else the
// column after the previous cell's. Nothing for a cell that is not the sheet's: its r is
// no address of the sheet or names another row, or it counts on from the last column or a
// cell not the sheet's. Such cells are left as they are.
Place columnNumber(const pugi::xml_node &cell, int row, Place previous)
{
    const pugi::xml_attribute named = cell.attribute("r");
    if (!named)
        return previous && *previous < maxColumns ? Place(*previous + 1) : std::nullopt;
    const auto address = parseCellAddress(QString::fromUtf8(named.value()));
    return address && address->row == row ? Place(address->column) : std::nullopt;
}

} // namespace

XlsxWorksheet::XlsxWorksheet(XlsxWorkbook &workbook, QString name, QString partName)
    : m_workbook(workbook), m_name(std::move(name)), m_partName(std::move(partName))
{
}

bool XlsxWorksheet::load()
{
    pugi::xml_document *document = m_workbook.package().xml(m_partName);
    if (!document)
        return false;
    pugi::xml_node root = document->document_element();
    m_sheetData = root.child("sheetData");
    if (!m_sheetData)
        return false;
    auto active = parseCellAddress(xml::attribute(
        root.child("sheetViews").child("sheetView").child("selection"), "activeCell"));
    m_activeCell = active.value_or(CellAddress{});
    indexCells();
    return true;
}

void XlsxWorksheet::indexCells()
{
    m_cells.clear();
    Place row = 0;
    for (pugi::xml_node rowNode : m_sheetData.children("row")) {
        row = rowNumber(rowNode, row);
        if (!row)
            continue;
        Place column = 0;
        for (pugi::xml_node cell : rowNode.children("c")) {
            column = columnNumber(cell, *row, column);
            if (column)
                m_cells.insert(key({*row, *column}), cell);
        }
    }
}

pugi::xml_node XlsxWorksheet::cellNode(const CellAddress &cell)
{
    return m_cells.value(key(cell));
}

pugi::xml_node XlsxWorksheet::createCellNode(const CellAddress &cell)
{
    pugi::xml_node row;
    pugi::xml_node rowAfter;
    Place number = 0;
    for (pugi::xml_node node : m_sheetData.children("row")) {
        number = rowNumber(node, number);
        if (number == cell.row)
            row = node;
        if (number > cell.row) {
            rowAfter = node;
            break;
        }
    }
    if (!row) {
        row = rowAfter ? m_sheetData.insert_child_before("row", rowAfter)
                       : m_sheetData.append_child("row");
        row.append_attribute("r").set_value(cell.row);
    }
    pugi::xml_node cellAfter;
    for (pugi::xml_node node : row.children("c")) {
        auto named = parseCellAddress(xml::attribute(node, "r"));
        if (named && named->column > cell.column) {
            cellAfter = node;
            break;
        }
    }
    pugi::xml_node node =
        cellAfter ? row.insert_child_before("c", cellAfter) : row.append_child("c");
    xml::setAttribute(node, "r", cellName(cell));
    indexCells();
    return node;
}

int XlsxWorksheet::styleOf(const pugi::xml_node &cell) const
{
    return cell.attribute("s").as_int();
}

bool XlsxWorksheet::protectionMode() const
{
    pugi::xml_node protection = m_sheetData.parent().child("sheetProtection");
    QString sheet = xml::attribute(protection, "sheet");
    return sheet == u"1" || sheet == u"true";
}

void XlsxWorksheet::protect(bool userInterfaceOnly)
{
    // The file has no place for "user interface only": code is never stopped by the
    // protection in this host, so the flag changes nothing that is stored.
    Q_UNUSED(userInterfaceOnly);
    pugi::xml_node root = m_sheetData.parent();
    pugi::xml_node protection = root.child("sheetProtection");
    if (!protection) {
        pugi::xml_node before = root.child("sheetCalcPr") ? root.child("sheetCalcPr") : m_sheetData;
        protection = root.insert_child_after("sheetProtection", before);
    }
    xml::setAttribute(protection, "sheet", QStringLiteral("1"));
    xml::setAttribute(protection, "objects", QStringLiteral("1"));
    xml::setAttribute(protection, "scenarios", QStringLiteral("1"));
    m_workbook.changed(m_partName);
}

std::unique_ptr<Range> XlsxWorksheet::usedRange()
{
    if (m_cells.isEmpty())
        return std::make_unique<XlsxRange>(*this, CellArea{});
    CellArea area{{maxRows, maxColumns}, {1, 1}};
    for (auto it = m_cells.cbegin(); it != m_cells.cend(); ++it) {
        CellAddress cell{int(it.key() >> 16), int(it.key() & 0xffff)};
        area.first = {std::min(area.first.row, cell.row), std::min(area.first.column, cell.column)};
        area.last = {std::max(area.last.row, cell.row), std::max(area.last.column, cell.column)};
    }
    return std::make_unique<XlsxRange>(*this, area);
}

std::unique_ptr<Range> XlsxWorksheet::cells()
{
    return std::make_unique<XlsxRange>(*this, CellArea{{1, 1}, {maxRows, maxColumns}});
}

std::unique_ptr<Range> XlsxWorksheet::range(const QString &address)
{
    QStringList corners = address.split(u':');
    auto first = parseCellAddress(corners.first());
    auto last = corners.size() == 2 ? parseCellAddress(corners.last()) : first;
    if (corners.size() > 2 || !first || !last)
        return nullptr;
    CellArea area{{std::min(first->row, last->row), std::min(first->column, last->column)},
                  {std::max(first->row, last->row), std::max(first->column, last->column)}};
    return std::make_unique<XlsxRange>(*this, area);
}

void XlsxWorksheet::paste()
{
    auto *application = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!application)
        return;
    QString text = QGuiApplication::clipboard()->text();
    setStyledText(m_activeCell, StyledText({{text, {}, {}}}), true);
}

Workbook &XlsxWorksheet::workbook() const
{
    return m_workbook;
}

QString XlsxWorksheet::cellText(const CellAddress &cell, LookIn lookIn)
{
    pugi::xml_node node = cellNode(cell);
    if (lookIn == LookIn::Formulas && node.child("f"))
        return u'=' + xml::text(node.child("f"));
    QString type = xml::attribute(node, "t");
    if (type == u"s" || type == u"inlineStr")
        return styledText(cell).text();
    if (type == u"b")
        return xml::text(node.child("v")) == u"1" ? QStringLiteral("TRUE")
                                                  : QStringLiteral("FALSE");
    return xml::text(node.child("v"));
}

QVariant XlsxWorksheet::cellValue(const CellAddress &cell)
{
    pugi::xml_node node = cellNode(cell);
    QString type = xml::attribute(node, "t");
    if (type == u"s" || type == u"inlineStr")
        return styledText(cell).text();
    if (!node.child("v"))
        return {};
    QString value = xml::text(node.child("v"));
    if (type == u"b")
        return value == u"1";
    if (type == u"str" || type == u"e")
        return value;
    return value.toDouble();
}

StyledText XlsxWorksheet::styledText(const CellAddress &cell)
{
    pugi::xml_node node = cellNode(cell);
    QString type = xml::attribute(node, "t");
    // A value that names no shared string reads as no text (a null item holds none).
    if (type == u"s")
        return readStringItem(m_workbook.sharedStringItem(xml::text(node.child("v"))));
    if (type == u"inlineStr")
        return readStringItem(node.child("is"));
    QString value = cellText(cell, LookIn::Values);
    return value.isEmpty() ? StyledText() : StyledText({{value, {}, {}}});
}

bool XlsxWorksheet::holdsEditableText(const CellAddress &cell)
{
    pugi::xml_node node = cellNode(cell);
    if (node.child("f"))
        return false;
    QString type = xml::attribute(node, "t");
    if (type == u"s")
        return bool(m_workbook.sharedStringItem(xml::text(node.child("v"))));
    return type == u"inlineStr" || (!node.child("v") && !node.child("is"));
}

bool XlsxWorksheet::setStyledText(const CellAddress &cell, const StyledText &text, bool overFormula)
{
    pugi::xml_node node = cellNode(cell);
    if (node.child("f") && !overFormula)
        return false;
    if (!node)
        node = createCellNode(cell);
    for (const char *child : {"f", "v", "is"})
        node.remove_child(child);
    xml::setAttribute(node, "t", QStringLiteral("inlineStr"));
    writeStringItem(node.append_child("is"), text);
    m_workbook.cellsChanged(m_partName);
    return true;
}

QString XlsxWorksheet::fontName(const CellAddress &cell)
{
    return m_workbook.styleFontName(styleOf(cellNode(cell)));
}

QByteArray XlsxWorksheet::fontRunProperties(const CellAddress &cell)
{
    return m_workbook.styleRunProperties(styleOf(cellNode(cell)));
}

QList<CellAddress> XlsxWorksheet::filledCells()
{
    QList<CellAddress> filled;
    for (auto it = m_cells.cbegin(); it != m_cells.cend(); ++it) {
        if (it.value().child("v") || it.value().child("is") || it.value().child("f"))
            filled << CellAddress{int(it.key() >> 16), int(it.key() & 0xffff)};
    }
    std::sort(filled.begin(), filled.end());
    return filled;
}

std::unique_ptr<Range> XlsxWorksheet::search(const CellArea &area, const CellAddress &after,
                                             const QString *what, LookIn lookIn)
{
    if (what) {
        m_searchWhat = *what;
        m_searchLookIn = lookIn;
    }
    if (m_searchWhat.isEmpty())
        return nullptr;
    std::optional<CellAddress> first;
    for (const CellAddress &cell : filledCells()) {
        if (!area.contains(cell) ||
            !cellText(cell, m_searchLookIn).contains(m_searchWhat, Qt::CaseInsensitive))
            continue;
        if (after < cell)
            return std::make_unique<XlsxRange>(*this, CellArea{cell, cell});
        if (!first)
            first = cell;
    }
    // Past the last cell the search goes round to the first.
    if (!first)
        return nullptr;
    return std::make_unique<XlsxRange>(*this, CellArea{*first, *first});
}

} // namespace office::excel
