#pragma once

#include "platform/office/powerpoint/powerpoint.h"
#include "platform/office/powerpoint/textbody.h"

#include <vector>

namespace office::powerpoint
{

class PptxPresentation;

class PptxTextFrame : public TextFrame
{
public:
    PptxTextFrame(PptxPresentation &presentation, const QString &partName, pugi::xml_node container,
                  const char *bodyName);
    bool hasText() const override;
    std::unique_ptr<TextRange> textRange() override;

    TextBody &body() { return m_body; }
    // The typeface of text whose runs name none.
    QString inheritedTypeface() const;

private:
    PptxPresentation &m_presentation;
    TextBody m_body;
};

class PptxShape;

class PptxCell : public Cell
{
public:
    PptxCell(PptxPresentation &presentation, const QString &partName, pugi::xml_node cell);
    ~PptxCell() override;
    Shape &shape() override;

private:
    std::unique_ptr<PptxShape> m_shape;
};

class PptxTable : public Table
{
public:
    PptxTable(PptxPresentation &presentation, const QString &partName, pugi::xml_node table);
    int rowCount() const override { return int(m_cells.size()); }
    int columnCount() const override { return m_columns; }
    Cell *cell(int row, int column) override;

private:
    std::vector<std::vector<std::unique_ptr<PptxCell>>> m_cells; // by row
    int m_columns = 0;
};

// A shape of a slide's tree (<p:sp>, <p:grpSp>, <p:graphicFrame>, <p:pic>, <p:cxnSp>), or
// the shape that holds a table cell's text.
class PptxShape : public Shape
{
public:
    enum class Holder { SlideTree, TableCell };
    PptxShape(PptxPresentation &presentation, const QString &partName, pugi::xml_node node,
              Holder holder = Holder::SlideTree);
    ~PptxShape() override;

    Type type() const override;
    int groupItemCount() const override { return int(m_items.size()); }
    Shape *groupItem(int index) override;
    bool hasTextFrame() const override { return m_textFrame != nullptr; }
    TextFrame *textFrame() override { return m_textFrame.get(); }
    bool hasTable() const override { return m_table != nullptr; }
    Table *table() override { return m_table.get(); }

    // The shapes a slide tree or group holds, in order.
    static std::vector<std::unique_ptr<PptxShape>>
    childShapes(PptxPresentation &presentation, const QString &partName, pugi::xml_node tree);

private:
    pugi::xml_node m_node;
    std::vector<std::unique_ptr<PptxShape>> m_items;
    std::unique_ptr<PptxTextFrame> m_textFrame;
    std::unique_ptr<PptxTable> m_table;
};

} // namespace office::powerpoint
