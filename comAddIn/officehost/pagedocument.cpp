// FrontPage: the page's body text, with the page's selection.
#include "comAddIn/officehost/hostkinds.h"
#include "platform/office/page/pageapplication.h"

namespace officehost
{

namespace
{

using namespace office::page;

class HtmlPageDocument final : public HostDocument
{
public:
    explicit HtmlPageDocument(std::unique_ptr<HtmlPage> page) : m_application(std::move(page))
    {
        takePersistedCommandBars(m_application);
    }

    office::HostApplication &application() override { return m_application; }
    QString fullName() const override { return m_application.page()->path(); }

    QList<TextSegment> segments() override
    {
        return {{QString(), m_application.page()->body()->createTextRange()->text()}};
    }

    void select(const SegmentSelection &selection) override
    {
        auto range = m_application.page()->body()->createTextRange();
        range->move(selection.start);
        range->moveEnd(selection.end - selection.start);
        range->select();
    }

    std::optional<SegmentSelection> selection() override
    {
        HtmlPage *page = m_application.page();
        const auto selected = page->selection()->createRange();
        auto before = page->body()->createTextRange();
        before->setEndPoint(EndPoint::EndToStart, *selected);
        const int start = int(before->text().size());
        return SegmentSelection{0, start, start + int(selected->text().size())};
    }

    bool saved() const override { return !m_application.page()->isModified(); }
    platform::Result<bool> save() override { return m_application.page()->save(); }

private:
    HtmlPageApplication m_application;
};

} // namespace

platform::Result<std::unique_ptr<HostDocument>> openHtmlPage(const QString &path)
{
    auto page = HtmlPage::open(path);
    if (!page.ok())
        return platform::Result<std::unique_ptr<HostDocument>>::failure(page.errorString());
    return std::unique_ptr<HostDocument>(
        std::make_unique<HtmlPageDocument>(std::move(page.value())));
}

} // namespace officehost
