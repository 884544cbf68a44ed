#include "platform/office/page/pageapplication.h"

namespace office::page
{

QString Application::name() const
{
    return QStringLiteral("Microsoft FrontPage");
}

HtmlPageApplication::HtmlPageApplication(std::unique_ptr<HtmlPage> page) : m_page(std::move(page))
{
}

} // namespace office::page
