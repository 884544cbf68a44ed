#include "platform/office/powerpoint/powerpoint.h"

namespace office::powerpoint
{

platform::Result<bool> Application::typeIntoActiveDocument(const QString &text)
{
    DocumentWindow *window = activeWindow();
    if (!window)
        return noDocumentOpen();
    if (window->selection().type() != Selection::Type::Text)
        return true;
    if (const std::unique_ptr<TextRange> selected = window->selection().textRange())
        selected->setText(text);
    window->sendKeys(u"{RIGHT}"_qs);
    return true;
}

} // namespace office::powerpoint
