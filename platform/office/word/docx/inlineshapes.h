#pragma once

#include "platform/office/word/docx/docxdocument.h"

#include <map>

namespace word::docx
{

// A picture in the main text (w:drawing with wp:inline, or an inline VML picture). Its
// alternative text is wp:docPr's descr (v:shape's alt for VML), where readers look for it.
class DocxInlineShape : public InlineShape
{
public:
    DocxInlineShape(DocxDocument *document, std::shared_ptr<Story> story, pugi::xml_node element)
        : m_document(document), m_story(std::move(story)), m_element(element)
    {
    }
    QString alternativeText() const override;
    void setAlternativeText(const QString &text) override;
    void select() override;
    void deleteShape() override;

    static bool isInlinePicture(const pugi::xml_node &element);

private:
    int position() const;
    pugi::xml_attribute altAttribute(bool create) const;

    DocxDocument *m_document;
    std::shared_ptr<Story> m_story; // the story that holds the picture
    pugi::xml_node m_element;       // the run's w:drawing, w:pict or mc:AlternateContent
};

class DocxInlineShapes : public InlineShapes
{
public:
    explicit DocxInlineShapes(DocxDocument *document) : m_document(document) {}
    int count() const override;
    InlineShape *item(int index) override;
    platform::Result<InlineShape *> addPicture(const QString &fileName, Range &range) override;

private:
    void refresh() const;
    InlineShape *shapeFor(const std::shared_ptr<Story> &story, pugi::xml_node element) const;

    DocxDocument *m_document;
    mutable std::vector<pugi::xml_node> m_order;
    mutable unsigned m_version = ~0u;
    mutable std::map<pugi::xml_node_struct *, std::unique_ptr<DocxInlineShape>> m_shapes;
};

} // namespace word::docx
