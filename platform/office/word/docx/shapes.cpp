#include "platform/office/word/docx/shapes.h"

#include "platform/office/word/docx/storynodes.h"

#include <cstring>

namespace word::docx
{
namespace
{

bool isVmlShape(const pugi::xml_node &node)
{
    return std::strncmp(node.name(), "v:", 2) == 0 && !named(node, "v:shapetype") &&
           !named(node, "v:textbox") && !named(node, "v:imagedata") && !named(node, "v:fill") &&
           !named(node, "v:stroke") && !named(node, "v:path") && !named(node, "v:formulas") &&
           !named(node, "v:handles") && !named(node, "v:shadow") && !named(node, "v:textpath");
}

// The drawing element of a run element, looking through mc:AlternateContent to the
// choice a current reader takes.
pugi::xml_node drawingOf(const pugi::xml_node &element)
{
    if (!named(element, "mc:AlternateContent"))
        return element;
    const pugi::xml_node choice = element.child("mc:Choice");
    if (pugi::xml_node drawing = choice.child("w:drawing"))
        return drawing;
    return choice.child("w:pict");
}

} // namespace

std::unique_ptr<DocxShape> DocxShape::fromRunElement(DocxDocument *document, pugi::xml_node element,
                                                     const QString &part)
{
    const pugi::xml_node alternate =
        named(element, "mc:AlternateContent") ? element : pugi::xml_node();
    const pugi::xml_node drawing = drawingOf(element);
    if (named(drawing, "w:drawing")) {
        const pugi::xml_node anchor = drawing.child("wp:anchor");
        if (!anchor)
            return nullptr;
        const pugi::xml_node content =
            anchor.child("a:graphic").child("a:graphicData").first_child();
        auto shape = std::unique_ptr<DocxShape>(new DocxShape(document, content, alternate, part));
        shape->buildDrawing();
        return shape;
    }
    if (named(drawing, "w:pict")) {
        for (pugi::xml_node child : drawing.children()) {
            if (!isVmlShape(child))
                continue;
            const bool floating =
                std::strstr(child.attribute("style").value(), "position:absolute") != nullptr;
            const bool hasFrame = child.child("v:textbox") || named(child, "v:group");
            if (!floating && !hasFrame)
                return nullptr; // an inline picture
            auto shape =
                std::unique_ptr<DocxShape>(new DocxShape(document, child, alternate, part));
            shape->buildVml();
            return shape;
        }
    }
    return nullptr;
}

DocxShape::DocxShape(DocxDocument *document, pugi::xml_node node, pugi::xml_node alternate,
                     const QString &part)
    : m_document(document), m_node(node), m_alternate(alternate), m_part(part)
{
}

void DocxShape::buildDrawing()
{
    if (named(m_node, "wpg:wgp") || named(m_node, "wpg:grpSp")) {
        m_type = Type::Group;
        for (pugi::xml_node child : m_node.children()) {
            if (named(child, "wps:wsp") || named(child, "wpg:grpSp") || named(child, "pic:pic")) {
                auto item = std::unique_ptr<DocxShape>(
                    new DocxShape(m_document, child, m_alternate, m_part));
                item->buildDrawing();
                m_items.items().push_back(std::move(item));
            }
        }
    } else if (named(m_node, "wps:wsp")) {
        const bool textBox =
            std::strcmp(m_node.child("wps:cNvSpPr").attribute("txBox").value(), "1") == 0;
        m_type = textBox ? Type::TextBox : Type::AutoShape;
        m_content = m_node.child("wps:txbx").child("w:txbxContent");
    } else if (named(m_node, "pic:pic")) {
        m_type = Type::Picture;
    }
}

void DocxShape::buildVml()
{
    if (named(m_node, "v:group")) {
        m_type = Type::Group;
        for (pugi::xml_node child : m_node.children()) {
            if (!isVmlShape(child))
                continue;
            auto item =
                std::unique_ptr<DocxShape>(new DocxShape(m_document, child, m_alternate, m_part));
            item->buildVml();
            m_items.items().push_back(std::move(item));
        }
        return;
    }
    m_content = m_node.child("v:textbox").child("w:txbxContent");
    if (m_content)
        m_type = Type::TextBox;
    else if (m_node.child("v:imagedata"))
        m_type = Type::Picture;
}

std::shared_ptr<Story> DocxShape::story() const
{
    return m_document->textFrameStory(m_content, m_alternate, m_part);
}

bool DocxShape::hasText() const
{
    if (!m_content)
        return false;
    const QString &text = story()->text();
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c != u'\r'; });
}

std::unique_ptr<Range> DocxShape::textRange()
{
    return m_document->rangeOver(story());
}

} // namespace word::docx
