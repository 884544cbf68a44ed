#include "platform/office/excel/xlsxrange.h"

#include "platform/office/excel/xlsxworkbook.h"
#include "platform/office/package/xmlnodes.h"

namespace office::excel
{

QString XlsxRange::address() const
{
    if (m_area.first == m_area.last)
        return absoluteName(m_area.first);
    return absoluteName(m_area.first) + u':' + absoluteName(m_area.last);
}

QVariant XlsxRange::value() const
{
    if (m_area.first == m_area.last)
        return m_sheet.cellValue(m_area.first);
    // Several cells give their values row by row, which is never Empty.
    QVariantList rows;
    for (int row = m_area.first.row; row <= m_area.last.row; ++row) {
        QVariantList values;
        for (int column = m_area.first.column; column <= m_area.last.column; ++column)
            values << m_sheet.cellValue({row, column});
        rows << QVariant(values);
    }
    return rows;
}

std::unique_ptr<Characters> XlsxRange::characters(int start, int length)
{
    return std::make_unique<XlsxCharacters>(m_sheet, m_area.first, start - 1, length);
}

std::unique_ptr<Range> XlsxRange::find(const QString &what, LookIn lookIn)
{
    return m_sheet.search(m_area, m_area.first, &what, lookIn);
}

std::unique_ptr<Range> XlsxRange::findNext(const Range &after)
{
    auto *cell = dynamic_cast<const XlsxRange *>(&after);
    if (!cell || &cell->m_sheet != &m_sheet)
        return nullptr;
    return m_sheet.search(m_area, cell->m_area.first, nullptr, LookIn::Values);
}

bool XlsxRange::replace(const QString &what, const QString &replacement)
{
    if (what.isEmpty())
        return false;
    bool replaced = false;
    for (const CellAddress &cell : m_sheet.filledCells()) {
        if (!m_area.contains(cell) || !m_sheet.holdsEditableText(cell))
            continue;
        StyledText text = m_sheet.styledText(cell);
        int from = 0;
        bool changed = false;
        for (int at; (at = int(text.text().indexOf(what, from, Qt::CaseInsensitive))) >= 0;) {
            text.replace(at, int(what.size()), replacement);
            from = at + int(replacement.size());
            changed = true;
        }
        if (changed)
            replaced = m_sheet.setStyledText(cell, text) || replaced;
    }
    return replaced;
}

void XlsxRange::activate()
{
    m_sheet.setActiveCell(m_area.first);
    static_cast<XlsxWorkbook &>(m_sheet.workbook()).setActiveSheet(&m_sheet);
}

XlsxCharacters::XlsxCharacters(XlsxWorksheet &sheet, const CellAddress &cell, int start, int length)
    : m_sheet(sheet), m_cell(cell), m_start(std::max(start, 0)), m_length(length)
{
}

std::pair<int, int> XlsxCharacters::span(const StyledText &text) const
{
    int start = std::min(m_start, text.length());
    int rest = text.length() - start;
    return {start, m_length < 0 ? rest : std::min(m_length, rest)};
}

QString XlsxCharacters::text() const
{
    StyledText all = m_sheet.styledText(m_cell);
    auto [start, length] = span(all);
    return all.text().mid(start, length);
}

int XlsxCharacters::count() const
{
    return span(m_sheet.styledText(m_cell)).second;
}

bool XlsxCharacters::insert(const QString &text)
{
    if (!m_sheet.holdsEditableText(m_cell))
        return false;
    StyledText all = m_sheet.styledText(m_cell);
    auto [start, length] = span(all);
    all.replace(start, length, text);
    return m_sheet.setStyledText(m_cell, all);
}

std::unique_ptr<Range> XlsxCharacters::parent() const
{
    return std::make_unique<XlsxRange>(m_sheet, CellArea{m_cell, m_cell});
}

QString XlsxFont::name() const
{
    StyledText all = m_characters.m_sheet.styledText(m_characters.m_cell);
    auto [start, length] = m_characters.span(all);
    QString cellFont = m_characters.m_sheet.fontName(m_characters.m_cell);
    QString found;
    // An empty stretch reports the typeface at its place.
    const QList<QByteArray> formats =
        length > 0 ? all.propertiesIn(start, length) : QList<QByteArray>{all.propertiesAt(start)};
    for (const QByteArray &properties : formats) {
        pugi::xml_document run;
        run.load_buffer(properties.constData(), size_t(properties.size()));
        QString face = xml::attribute(run.document_element().child("rFont"), "val");
        if (face.isEmpty())
            face = cellFont;
        if (!found.isEmpty() && face != found)
            return {};
        found = face;
    }
    return found;
}

void XlsxFont::setName(const QString &name)
{
    XlsxWorksheet &sheet = m_characters.m_sheet;
    const CellAddress &cell = m_characters.m_cell;
    if (!sheet.holdsEditableText(cell))
        return;
    StyledText all = sheet.styledText(cell);
    auto [start, length] = m_characters.span(all);
    QByteArray cellFont = sheet.fontRunProperties(cell);
    all.changeProperties(start, length, [&](const QByteArray &properties) {
        // A run without its own formatting starts from the cell's font, so that only the
        // typeface changes.
        pugi::xml_document run;
        QByteArray source = properties.isEmpty() ? cellFont : properties;
        run.load_buffer(source.constData(), size_t(source.size()));
        pugi::xml_node rPr = run.document_element();
        if (!rPr)
            rPr = run.append_child("rPr");
        // A theme scheme would make the host show the theme's font instead.
        rPr.remove_child("scheme");
        pugi::xml_node face = rPr.child("rFont");
        if (!face)
            face = rPr.prepend_child("rFont");
        xml::setAttribute(face, "val", name);
        return xml::serialize(rPr);
    });
    sheet.setStyledText(cell, all);
}

} // namespace office::excel
