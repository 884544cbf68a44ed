#include "platform/office/powerpoint/pptxshape.h"

#include "platform/office/package/xmlnodes.h"
#include "platform/office/powerpoint/pptxpresentation.h"
#include "platform/office/powerpoint/pptxtextrange.h"

namespace office::powerpoint
{

PptxTextFrame::PptxTextFrame(PptxPresentation &presentation, const QString &partName,
                             pugi::xml_node container, const char *bodyName)
    : m_presentation(presentation),
      m_body(container, bodyName, [&presentation, partName] { presentation.changed(partName); })
{
}

bool PptxTextFrame::hasText() const
{
    return m_body.read().length() > 0;
}

std::unique_ptr<TextRange> PptxTextFrame::textRange()
{
    return std::make_unique<PptxTextRange>(*this, std::make_shared<TextSpan>(TextSpan{0, -1}));
}

QString PptxTextFrame::inheritedTypeface() const
{
    QString own = m_body.listStyleTypeface();
    return m_presentation.resolveTypeface(own.isEmpty() ? m_presentation.defaultTypeface() : own);
}

PptxCell::PptxCell(PptxPresentation &presentation, const QString &partName, pugi::xml_node cell)
    : m_shape(
          std::make_unique<PptxShape>(presentation, partName, cell, PptxShape::Holder::TableCell))
{
}

PptxCell::~PptxCell() = default;

Shape &PptxCell::shape()
{
    return *m_shape;
}

PptxTable::PptxTable(PptxPresentation &presentation, const QString &partName, pugi::xml_node table)
{
    for ([[maybe_unused]] pugi::xml_node column : table.child("a:tblGrid").children("a:gridCol"))
        ++m_columns;
    for (pugi::xml_node row : table.children("a:tr")) {
        auto &cells = m_cells.emplace_back();
        for (pugi::xml_node cell : row.children("a:tc"))
            cells.push_back(std::make_unique<PptxCell>(presentation, partName, cell));
    }
}

Cell *PptxTable::cell(int row, int column)
{
    if (row < 1 || row > rowCount() || column < 1 || column > int(m_cells[size_t(row - 1)].size()))
        return nullptr;
    return m_cells[size_t(row - 1)][size_t(column - 1)].get();
}

namespace
{

pugi::xml_node tableOf(const pugi::xml_node &frame)
{
    return frame.child("a:graphic").child("a:graphicData").child("a:tbl");
}

} // namespace

PptxShape::PptxShape(PptxPresentation &presentation, const QString &partName, pugi::xml_node node,
                     Holder holder)
    : m_node(node)
{
    QByteArray name = node.name();
    if (holder == Holder::TableCell)
        m_textFrame = std::make_unique<PptxTextFrame>(presentation, partName, node, "a:txBody");
    else if (name == "p:sp")
        m_textFrame = std::make_unique<PptxTextFrame>(presentation, partName, node, "p:txBody");
    else if (name == "p:grpSp")
        m_items = childShapes(presentation, partName, node);
    else if (name == "p:graphicFrame" && tableOf(node))
        m_table = std::make_unique<PptxTable>(presentation, partName, tableOf(node));
}

PptxShape::~PptxShape() = default;

Shape::Type PptxShape::type() const
{
    QByteArray name = m_node.name();
    if (name == "p:grpSp")
        return Type::Group;
    if (name == "p:pic")
        return Type::Picture;
    if (name == "p:cxnSp")
        return Type::Line;
    if (name == "p:graphicFrame")
        return m_table ? Type::Table : Type::Other;
    if (name != "p:sp")
        return Type::Other;
    if (m_node.child("p:nvSpPr").child("p:nvPr").child("p:ph"))
        return Type::Placeholder;
    QString textBox = xml::attribute(m_node.child("p:nvSpPr").child("p:cNvSpPr"), "txBox");
    return textBox == u"1" || textBox == u"true" ? Type::TextBox : Type::AutoShape;
}

Shape *PptxShape::groupItem(int index)
{
    if (index < 1 || index > groupItemCount())
        return nullptr;
    return m_items[size_t(index - 1)].get();
}

std::vector<std::unique_ptr<PptxShape>>
PptxShape::childShapes(PptxPresentation &presentation, const QString &partName, pugi::xml_node tree)
{
    std::vector<std::unique_ptr<PptxShape>> shapes;
    for (pugi::xml_node child : tree.children()) {
        QByteArray name = child.name();
        if (name == "p:sp" || name == "p:grpSp" || name == "p:graphicFrame" || name == "p:pic" ||
            name == "p:cxnSp")
            shapes.push_back(std::make_unique<PptxShape>(presentation, partName, child));
    }
    return shapes;
}

} // namespace office::powerpoint
