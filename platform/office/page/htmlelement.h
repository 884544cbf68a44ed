#pragma once

#include "platform/office/page/htmlpage.h"
#include "platform/office/page/pagemodel.h"

namespace office::page
{

// An element of an HtmlPage.
class HtmlElement final : public Element
{
public:
    HtmlElement(HtmlPage &page, xmlNodePtr node) : m_page(page), m_node(node) {}

    QString alt() const override;
    QString outerHTML() const override;
    void setOuterHTML(const QString &html) override;
    void insertAdjacentText(AdjacentPosition where, const QString &text) override;
    void scrollIntoView(bool alignToTop = true) override;

private:
    bool isAttached() const;

    HtmlPage &m_page;
    xmlNodePtr m_node; // Owned by the page's tree or, once removed, by its editor.
};

} // namespace office::page
