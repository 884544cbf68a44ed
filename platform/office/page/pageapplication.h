#pragma once

#include "platform/office/host/hostapplication.h"
#include "platform/office/page/htmlpage.h"
#include "platform/office/page/pagemodel.h"

#include <memory>

namespace office::page
{

// The web-page host's Application: its name and the page open in the editor.
class Application : public HostApplication
{
public:
    QString name() const override;
    // The page open in the editor; null when none is. Owned by the application.
    virtual Document *activeDocument() = 0;

protected:
    // Over the selection; the caret is left after the text.
    platform::Result<bool> typeIntoActiveDocument(const QString &text) override;
};

// The application of a host that edits one .html page at a time.
class HtmlPageApplication final : public Application
{
public:
    // Takes the page the host opened (or none).
    explicit HtmlPageApplication(std::unique_ptr<HtmlPage> page = nullptr);

    Document *activeDocument() override
    {
        documentsRequested();
        return m_page.get();
    }
    HtmlPage *page() const { return m_page.get(); }
    void setPage(std::unique_ptr<HtmlPage> page) { m_page = std::move(page); }

private:
    std::unique_ptr<HtmlPage> m_page;
};

} // namespace office::page
