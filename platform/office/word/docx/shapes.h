#pragma once

#include "platform/office/word/docx/docxdocument.h"

namespace word::docx
{

// A floating shape of DrawingML (wps:wsp, wpg:wgp, pic:pic) or of VML (v:shape, v:group):
// its kind, a group's items and the text of its frame (w:txbxContent).
class DocxShape : public Shape, public TextFrame
{
public:
    // Null when node is no floating shape (an inline picture, say). alternate: the
    // mc:AlternateContent the shape came from, if any.
    static std::unique_ptr<DocxShape> fromRunElement(DocxDocument *document, pugi::xml_node element,
                                                     const QString &part);

    Type type() const override { return m_type; }
    Collection<Shape> &groupItems() override { return m_items; }
    TextFrame &textFrame() override { return *this; }

    bool hasText() const override;
    std::unique_ptr<Range> textRange() override;

private:
    DocxShape(DocxDocument *document, pugi::xml_node node, pugi::xml_node alternate,
              const QString &part);
    void buildDrawing();
    void buildVml();
    std::shared_ptr<Story> story() const;

    DocxDocument *m_document;
    pugi::xml_node m_node;
    pugi::xml_node m_alternate;
    QString m_part;
    Type m_type = Type::AutoShape;
    pugi::xml_node m_content; // w:txbxContent
    ShapeList m_items;
};

} // namespace word::docx
