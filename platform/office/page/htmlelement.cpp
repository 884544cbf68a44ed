#include "platform/office/page/htmlelement.h"

#include "platform/office/page/htmlnodes.h"
#include "platform/office/page/htmlparse.h"
#include "platform/office/page/htmlwriter.h"

namespace office::page
{

bool HtmlElement::isAttached() const
{
    return m_page.editor().isAttached(m_node);
}

QString HtmlElement::alt() const
{
    return attributeOf(m_node, "alt");
}

QString HtmlElement::outerHTML() const
{
    return writeHtmlNode(m_node);
}

void HtmlElement::setOuterHTML(const QString &html)
{
    if (!isAttached() || m_node == m_page.bodyElement())
        return;
    const auto [from, to] = m_page.textMap().span(m_node);
    m_page.edit(from, to, [&] {
        DomEditor &editor = m_page.editor();
        editor.insertNodes({m_node->parent, DomEditor::indexOf(m_node)},
                           parseHtmlFragment(html, editor.doc()));
        editor.remove(m_node);
    });
}

void HtmlElement::insertAdjacentText(AdjacentPosition where, const QString &text)
{
    if (!isAttached() || text.isEmpty())
        return;
    const TextMap &map = m_page.textMap();
    const auto [from, to] = map.span(m_node);
    DomPoint point;
    int position = from;
    switch (where) {
    case AdjacentPosition::BeforeBegin:
        point = {m_node->parent, DomEditor::indexOf(m_node)};
        break;
    case AdjacentPosition::AfterBegin:
        point = {m_node, 0};
        break;
    case AdjacentPosition::BeforeEnd:
        point = {m_node, DomEditor::length(m_node)};
        // Before the break that closes a block.
        position = to > from && map.nodeAt(to - 1) == m_node ? to - 1 : to;
        break;
    case AdjacentPosition::AfterEnd:
        point = {m_node->parent, DomEditor::indexOf(m_node) + 1};
        position = to;
        break;
    }
    if (point.node == nullptr || (isVoidElement(m_node) && point.node == m_node))
        return;
    m_page.edit(position, position,
                [&] { m_page.editor().insertNodes(point, {m_page.editor().newText(text)}); });
}

void HtmlElement::scrollIntoView(bool alignToTop)
{
    if (isAttached())
        m_page.scrollTo(m_page.textMap().span(m_node).first, alignToTop);
}

} // namespace office::page
