// The page engine on any file as an .html page: a file that is not a page it can read is
// refused with a message; any other page opens, its body's text is walked, and an edit of
// the text saves and reads back.
#include "documentroundtrip.h"
#include "fuzzsupport.h"
#include "platform/office/page/htmlpage.h"

#include <QTemporaryDir>

namespace
{

using namespace office::page;

QString g_path;

class PageDocument final : public fuzz::EngineDocument
{
public:
    explicit PageDocument(std::unique_ptr<HtmlPage> page) : m_page(std::move(page)) {}

    // The body's characters; the line ends that blocks add are left out, as the parser
    // may give text of broken markup a paragraph of its own once the page is written back.
    std::optional<QStringList> texts() override
    {
        return QStringList{m_page->body()->createTextRange()->text().remove(u'\n')};
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
};

platform::Result<std::unique_ptr<fuzz::EngineDocument>> openPage(const QString &path)
{
    using Opened = platform::Result<std::unique_ptr<fuzz::EngineDocument>>;
    auto page = HtmlPage::open(path);
    if (!page)
        return Opened::failure(page.errorString());
    return Opened(std::make_unique<PageDocument>(std::move(page.value())));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::EnsureApplication();
    static QTemporaryDir folder(fuzz::ScratchTemplate());
    g_path = folder.filePath(QStringLiteral("fuzz.html"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view input = fuzz::BytesOf(data, size);
    // The parser stops at its depth limit: inputs stay below it.
    if (fuzz::MarkupDepth(input) > fuzz::kMaxMarkupDepth)
        return 0;
    fuzz::WriteFile(g_path, input);
    fuzz::CheckRoundTrip(g_path, openPage);
    return 0;
}
