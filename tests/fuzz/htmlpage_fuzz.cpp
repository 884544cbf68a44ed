// The page engine on any file as an .html page: a file that is not a page it can read is
// refused with a message; any other page opens, its body's text is walked, and an edit of
// the text saves and reads back. Pages whose markup the parser reads differently once it is
// written back (markup so broken that the parser mends it again) are left alone.
#include "documentroundtrip.h"
#include "fuzzsupport.h"
#include "platform/office/page/htmlpage.h"

#include <QFile>
#include <QTemporaryDir>

namespace
{

using namespace office::page;

QString g_path;
QString g_rewritten; // the page as written back unedited, in a file beside it

// The body's characters; the line ends that blocks add are left out, as the parser may give
// text of broken markup a paragraph of its own once the page is written back.
QString bodyText(HtmlPage &page)
{
    return page.body()->createTextRange()->text().remove(u'\n');
}

// True when the page, written back as it was read, reads with the same text and is written
// the same again. The parser mends broken markup in ways that its next reading mends again
// otherwise (an <html> inside another); those pages are left alone here.
bool writtenBackReadsTheSame(HtmlPage &page)
{
    QFile file(page.path());
    file.open(QIODevice::ReadOnly);
    const std::optional<PageEncoding> encoding = PageEncoding::detect(file.readAll());
    const QByteArray written = encoding->encode(page.html());
    fuzz::WriteFile(g_rewritten, {written.constData(), size_t(written.size())});
    platform::Result<std::unique_ptr<HtmlPage>> again = HtmlPage::open(g_rewritten);
    return again.ok() && bodyText(*again.value()) == bodyText(page) &&
           encoding->encode(again.value()->html()) == written;
}

class PageDocument final : public fuzz::EngineDocument
{
public:
    explicit PageDocument(std::unique_ptr<HtmlPage> page)
        : m_page(std::move(page)), m_stable(writtenBackReadsTheSame(*m_page))
    {
    }

    std::optional<QStringList> texts() override
    {
        if (!m_stable)
            return std::nullopt;
        return QStringList{bodyText(*m_page)};
    }

    void edit() override
    {
        std::unique_ptr<TextRange> range = m_page->body()->createTextRange();
        const auto [start, count] = fuzz::StretchToEdit(int(range->text().size()));
        range->move(start);
        range->moveEnd(count);
        range->setText(fuzz::EditText());
    }

    platform::Result<bool> save() override { return m_page->save(); }

private:
    std::unique_ptr<HtmlPage> m_page;
    bool m_stable;
};

fuzz::OpenedDocument openPage(const QString &path)
{
    return fuzz::OpenedAs<PageDocument>(HtmlPage::open(path));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::EnsureApplication();
    static QTemporaryDir folder(fuzz::ScratchTemplate());
    g_path = folder.filePath(QStringLiteral("fuzz.html"));
    g_rewritten = folder.filePath(QStringLiteral("rewritten.html"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::WriteFile(g_path, fuzz::BytesOf(data, size));
    fuzz::CheckRoundTrip(g_path, openPage);
    return 0;
}
