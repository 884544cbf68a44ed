// Word: the main text story, with Word's own Selection.
#include "comAddIn/officehost/hostkinds.h"
#include "platform/office/word/docx/wordapplication.h"

namespace officehost
{

namespace
{

class WordDocument final : public HostDocument
{
public:
    WordDocument() { takePersistedCommandBars(m_application); }

    platform::Result<bool> open(const QString &path)
    {
        auto document = m_application.documents().open(path);
        if (!document.ok())
            return platform::Result<bool>::failure(document.errorString());
        m_document = document.value();
        // The caret starts at the beginning of the text, as when a document is opened.
        auto start = m_document->content();
        start->collapse(word::CollapseDirection::Start);
        start->select();
        return true;
    }

    office::HostApplication &application() override { return m_application; }
    QString fullName() const override { return m_document->fullName(); }

    QList<TextSegment> segments() override { return {{QString(), m_document->content()->text()}}; }

    void select(const SegmentSelection &selection) override
    {
        auto range = m_document->content();
        range->setRange(selection.start, selection.end);
        range->select();
    }

    std::optional<SegmentSelection> selection() override
    {
        const word::Range *range = m_application.selection();
        if (!range || range->storyType() != word::StoryType::MainText)
            return std::nullopt;
        return SegmentSelection{0, range->start(), range->end()};
    }

    bool saved() const override { return m_document->saved(); }
    platform::Result<bool> save() override { return m_document->save(); }

    bool isProtected() const override
    {
        return m_document->protectionType() != word::ProtectionType::NoProtection;
    }
    void unprotect() override { m_document->unprotect(); }

private:
    word::docx::WordApplication m_application;
    word::Document *m_document = nullptr; // owned by the application
};

} // namespace

platform::Result<std::unique_ptr<HostDocument>> openWordDocument(const QString &path)
{
    auto document = std::make_unique<WordDocument>();
    if (auto opened = document->open(path); !opened.ok())
        return platform::Result<std::unique_ptr<HostDocument>>::failure(opened.errorString());
    return std::unique_ptr<HostDocument>(std::move(document));
}

} // namespace officehost
