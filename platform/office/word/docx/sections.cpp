#include "platform/office/word/docx/sections.h"

#include "platform/office/word/docx/shapes.h" // the shape lists own complete shapes

#include <cstring>

namespace word::docx
{
namespace
{

const char *kindName(HeaderFooterIndex index)
{
    switch (index) {
    case HeaderFooterIndex::FirstPage:
        return "first";
    case HeaderFooterIndex::EvenPages:
        return "even";
    case HeaderFooterIndex::Primary:
        break;
    }
    return "default";
}

constexpr HeaderFooterIndex allKinds[] = {HeaderFooterIndex::Primary, HeaderFooterIndex::FirstPage,
                                          HeaderFooterIndex::EvenPages};

} // namespace

DocxSection::DocxSection(DocxDocument *document, pugi::xml_node properties)
    : m_document(document), m_properties(properties)
{
}

HeaderFooter &DocxSection::headers(HeaderFooterIndex index)
{
    return *m_headers[int(index) - 1];
}

HeaderFooter &DocxSection::footers(HeaderFooterIndex index)
{
    return *m_footers[int(index) - 1];
}

void DocxSection::setHeaderFooter(bool header, HeaderFooterIndex index,
                                  std::unique_ptr<DocxHeaderFooter> headerFooter)
{
    (header ? m_headers : m_footers)[int(index) - 1] = std::move(headerFooter);
}

QString DocxSection::referencedPart(bool header, HeaderFooterIndex index) const
{
    const char *element = header ? "w:headerReference" : "w:footerReference";
    for (pugi::xml_node reference : m_properties.children(element)) {
        const char *type = reference.attribute("w:type").value();
        // A reference without a type is the primary one.
        if (std::strcmp(type, kindName(index)) != 0 &&
            !(*type == '\0' && index == HeaderFooterIndex::Primary))
            continue;
        const QString id = attributeText(reference, "r:id");
        const QString source = m_document->package().mainPart();
        for (const office::Relationship &relationship :
             m_document->package().relationships(source)) {
            if (relationship.id == id)
                return m_document->package().resolveTarget(source, relationship);
        }
    }
    return {};
}

bool DocxSection::differentFirstPageHeaderFooter() const
{
    return isOn(m_properties.child("w:titlePg"));
}

bool DocxSection::oddAndEvenPagesHeaderFooter() const
{
    return m_document->evenAndOddHeaders();
}

SectionList::SectionList(
    DocxDocument *document,
    const std::function<std::shared_ptr<Story>(const QString &, bool)> &headerStory,
    ShapeList *headerShapes)
{
    pugi::xml_node body =
        document->package().xml(document->package().mainPart())->document_element().child("w:body");
    for (const pugi::xpath_node &found : body.select_nodes(".//w:pPr/w:sectPr"))
        m_sections.push_back(std::make_unique<DocxSection>(document, found.node()));
    // The body's own section properties close the last section; a body without them
    // still has one section.
    m_sections.push_back(std::make_unique<DocxSection>(document, body.child("w:sectPr")));
    for (bool header : {true, false}) {
        for (HeaderFooterIndex kind : allKinds) {
            QString part;
            for (auto &section : m_sections) {
                const QString own = section->referencedPart(header, kind);
                if (!own.isEmpty())
                    part = own;
                section->setHeaderFooter(header, kind,
                                         std::make_unique<DocxHeaderFooter>(
                                             document, headerStory(part, header), headerShapes));
            }
        }
    }
}

Section *SectionList::item(int index)
{
    if (index < 1 || index > count())
        return nullptr;
    return m_sections[size_t(index - 1)].get();
}

} // namespace word::docx
