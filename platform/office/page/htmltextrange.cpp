#include "platform/office/page/htmltextrange.h"

#include "platform/office/page/formatting.h"
#include "platform/office/page/htmlelement.h"
#include "platform/office/page/htmlparse.h"
#include "platform/office/page/htmlwriter.h"

#include <algorithm>

namespace office::page
{

HtmlTextRange::HtmlTextRange(HtmlPage &page, int start, int end) : m_page(page)
{
    m_span.start = clamped(start);
    m_span.end = std::max(m_span.start, clamped(end));
    m_page.track(&m_span);
}

HtmlTextRange::~HtmlTextRange()
{
    m_page.untrack(&m_span);
}

int HtmlTextRange::clamped(int position) const
{
    return std::clamp(position, 0, m_page.textMap().length());
}

std::unique_ptr<TextRange> HtmlTextRange::duplicate() const
{
    return std::make_unique<HtmlTextRange>(m_page, m_span.start, m_span.end);
}

void HtmlTextRange::collapse(bool toStart)
{
    if (toStart)
        m_span.end = m_span.start;
    else
        m_span.start = m_span.end;
}

int HtmlTextRange::move(int count)
{
    const int from = m_span.start;
    m_span.start = m_span.end = clamped(from + count);
    return m_span.start - from;
}

int HtmlTextRange::moveStart(int count)
{
    const int from = m_span.start;
    m_span.start = clamped(from + count);
    m_span.end = std::max(m_span.end, m_span.start);
    return m_span.start - from;
}

int HtmlTextRange::moveEnd(int count)
{
    const int from = m_span.end;
    m_span.end = clamped(from + count);
    m_span.start = std::min(m_span.start, m_span.end);
    return m_span.end - from;
}

bool HtmlTextRange::expand()
{
    if (m_span.start != m_span.end || m_span.end >= m_page.textMap().length())
        return false;
    ++m_span.end;
    return true;
}

bool HtmlTextRange::findText(const QString &text)
{
    if (text.isEmpty())
        return false;
    const qsizetype found = m_page.textMap().text().indexOf(text, m_span.start);
    if (found < 0)
        return false;
    m_span.start = static_cast<int>(found);
    m_span.end = static_cast<int>(found + text.size());
    return true;
}

void HtmlTextRange::setEndPoint(EndPoint how, const TextRange &source)
{
    // Every range of a page is one of ours.
    const auto &other = static_cast<const HtmlTextRange &>(source);
    switch (how) {
    case EndPoint::StartToStart:
    case EndPoint::StartToEnd:
        m_span.start = clamped(how == EndPoint::StartToStart ? other.start() : other.end());
        m_span.end = std::max(m_span.end, m_span.start);
        break;
    case EndPoint::EndToStart:
    case EndPoint::EndToEnd:
        m_span.end = clamped(how == EndPoint::EndToStart ? other.start() : other.end());
        m_span.start = std::min(m_span.start, m_span.end);
        break;
    }
}

QString HtmlTextRange::text() const
{
    return m_page.textMap().text().mid(m_span.start, m_span.end - m_span.start);
}

void HtmlTextRange::setText(const QString &text)
{
    m_span = m_page.replace(m_span.start, m_span.end, DomEditor::Placement::AtStart,
                            [&](DomPoint point) { m_page.editor().insertText(point, text); });
}

QString HtmlTextRange::htmlText() const
{
    if (m_span.start == m_span.end)
        return {};
    const TextMap &map = m_page.textMap();
    const std::vector<xmlNodePtr> nodes =
        m_page.editor().cloneContents(map.startPoint(m_span.start), map.endPoint(m_span.end));
    const QString html = writeHtmlNodes(nodes);
    m_page.editor().discard(nodes);
    return html;
}

void HtmlTextRange::pasteHTML(const QString &html)
{
    m_span = m_page.replace(m_span.start, m_span.end, DomEditor::Placement::AfterCutElements,
                            [&](DomPoint point) {
                                DomEditor &editor = m_page.editor();
                                editor.insertNodes(point, parseHtmlFragment(html, editor.doc()));
                            });
}

std::unique_ptr<Element> HtmlTextRange::parentElement() const
{
    const TextMap &map = m_page.textMap();
    const bool empty = m_span.start == m_span.end;
    const DomPoint first = empty ? map.insertionPoint(m_span.start) : map.startPoint(m_span.start);
    const DomPoint last = empty ? first : map.endPoint(m_span.end);
    xmlNodePtr common = DomEditor::commonAncestor(first.node, last.node);
    if (common != nullptr && common->type != XML_ELEMENT_NODE)
        common = common->parent;
    if (common == nullptr || !DomEditor::isInclusiveAncestor(m_page.bodyElement(), common))
        common = m_page.bodyElement();
    return std::make_unique<HtmlElement>(m_page, common);
}

void HtmlTextRange::select()
{
    m_page.setSelection(m_span);
}

xmlNodePtr HtmlTextRange::formattedNode() const
{
    const int position = m_span.start == m_span.end ? m_span.start - 1 : m_span.start;
    xmlNodePtr node = position >= 0 ? m_page.textMap().nodeAt(position) : nullptr;
    return node != nullptr ? node : m_page.bodyElement();
}

QVariant HtmlTextRange::queryCommandValue(const QString &command) const
{
    return formattingValue(formattedNode(), command);
}

bool HtmlTextRange::queryCommandState(const QString &command) const
{
    return formattingState(formattedNode(), command);
}

} // namespace office::page
