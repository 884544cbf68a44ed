#pragma once

#include "platform/office/word/docx/docxdocument.h"

namespace word::docx
{

class DocxHeaderFooter : public HeaderFooter
{
public:
    DocxHeaderFooter(DocxDocument *document, std::shared_ptr<Story> story, ShapeList *shapes)
        : m_document(document), m_story(std::move(story)), m_shapes(shapes)
    {
    }
    std::unique_ptr<Range> range() override { return m_document->rangeOver(m_story); }
    Collection<Shape> &shapes() override { return *m_shapes; }

private:
    DocxDocument *m_document;
    std::shared_ptr<Story> m_story;
    ShapeList *m_shapes; // the document's header and footer shapes
};

// One section (w:sectPr) with its headers and footers; a kind the section does not name
// is the previous section's.
class DocxSection : public Section, private PageSetup
{
public:
    DocxSection(DocxDocument *document, pugi::xml_node properties);
    HeaderFooter &headers(HeaderFooterIndex index) override;
    HeaderFooter &footers(HeaderFooterIndex index) override;
    PageSetup &pageSetup() override { return *this; }

    // Set by the section list once every section is known.
    void setHeaderFooter(bool header, HeaderFooterIndex index,
                         std::unique_ptr<DocxHeaderFooter> headerFooter);
    // The part this section names for a kind, empty when it names none.
    QString referencedPart(bool header, HeaderFooterIndex index) const;

private:
    bool differentFirstPageHeaderFooter() const override;
    bool oddAndEvenPagesHeaderFooter() const override;

    DocxDocument *m_document;
    pugi::xml_node m_properties;
    std::unique_ptr<DocxHeaderFooter> m_headers[3];
    std::unique_ptr<DocxHeaderFooter> m_footers[3];
};

class SectionList : public Collection<Section>
{
public:
    // headerStory gives the story of a header or footer part (an empty story for "").
    SectionList(DocxDocument *document,
                const std::function<std::shared_ptr<Story>(const QString &, bool)> &headerStory,
                ShapeList *headerShapes);
    int count() const override { return int(m_sections.size()); }
    Section *item(int index) override;

private:
    std::vector<std::unique_ptr<DocxSection>> m_sections;
};

} // namespace word::docx
