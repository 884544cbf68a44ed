#include "platform/office/page/pageapplication.h"

namespace office::page
{

QString Application::name() const
{
    return hostName(HostKind::FrontPage);
}

platform::Result<bool> Application::typeIntoActiveDocument(const QString &text)
{
    Document *page = activeDocument();
    if (!page)
        return noDocumentOpen();
    page->selection()->clear();
    const std::unique_ptr<TextRange> caret = page->selection()->createRange();
    caret->setText(text);
    caret->move(int(text.size())); // from the text's start to just after it
    caret->select();
    return true;
}

HtmlPageApplication::HtmlPageApplication(std::unique_ptr<HtmlPage> page) : m_page(std::move(page))
{
}

} // namespace office::page
