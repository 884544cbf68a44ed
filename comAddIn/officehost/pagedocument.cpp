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
    // Owned by the session.
    explicit HtmlPageDocument(HtmlPageApplication &application) : m_application(application) {}

    office::HostApplication &application() override { return m_application; }
    QString fullName() const override { return m_application.page()->path(); }

    QList<TextSegment> segments() override
    {
        return {{QString(), m_application.page()->body()->createTextRange()->text()}};
    }

    QString faceAt(int, int position) override
    {
        auto character = m_application.page()->body()->createTextRange();
        character->move(position);
        character->moveEnd(1);
        return character->queryCommandValue(u"FontName"_qs).toString();
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
    HtmlPageApplication &m_application;
};

// The web-page host holds one page.
class PageSession final : public HostSession
{
public:
    PageSession() { takePersistedCommandBars(m_application); }

    office::HostApplication &application() override { return m_application; }

    bool opensMore() const override { return false; }
    platform::Result<bool> openFile(const QString &path) override
    {
        if (m_application.page())
            return platform::Result<bool>::failure(u"網頁主程式一次只開一個網頁"_qs);
        auto page = HtmlPage::open(path);
        if (!page.ok())
            return platform::Result<bool>::failure(page.errorString());
        m_application.setPage(std::move(page.value()));
        m_document = std::make_unique<HtmlPageDocument>(m_application);
        return true;
    }

    QList<HostDocument *> documents() override
    {
        return m_document ? QList<HostDocument *>{m_document.get()} : QList<HostDocument *>{};
    }
    HostDocument *activeDocument() override { return m_document.get(); }
    void activate(HostDocument &) override {}
    void close(HostDocument &document) override
    {
        if (&document != m_document.get())
            return;
        m_document.reset();
        m_application.setPage(nullptr);
    }

private:
    HtmlPageApplication m_application;
    std::unique_ptr<HtmlPageDocument> m_document; // of the page open, if any
};

} // namespace

std::unique_ptr<HostSession> newPageSession()
{
    return std::make_unique<PageSession>();
}

} // namespace officehost
