// Word: the main text story of each open document, with Word's own Selection.
#include "comAddIn/officehost/hostkinds.h"
#include "platform/office/word/docx/wordapplication.h"

namespace officehost
{

namespace
{

class WordDocument final : public HostDocument
{
public:
    // Both owned by the application.
    WordDocument(word::Application &application, word::Document *document)
        : m_application(application), m_document(document)
    {
    }

    word::Document *model() const { return m_document; }

    office::HostApplication &application() override { return m_application; }
    QString fullName() const override { return m_document->fullName(); }

    QList<TextSegment> segments() override { return {{QString(), m_document->content()->text()}}; }

    QString faceAt(int, int position) override
    {
        auto character = m_document->content();
        character->setRange(position, position + 1);
        return character->font().name.value_or(QString());
    }

    void select(const SegmentSelection &selection) override
    {
        auto range = m_document->content();
        range->setRange(selection.start, selection.end);
        range->select();
    }

    std::optional<SegmentSelection> selection() override
    {
        const word::Range &range = m_document->activeWindow().selection();
        if (range.storyType() != word::StoryType::MainText)
            return std::nullopt;
        return SegmentSelection{0, range.start(), range.end()};
    }

    bool saved() const override { return m_document->saved(); }
    platform::Result<bool> save() override { return m_document->save(); }

    bool isProtected() const override
    {
        return m_document->protectionType() != word::ProtectionType::NoProtection;
    }
    void unprotect() override { m_document->unprotect(); }

private:
    word::Application &m_application;
    word::Document *m_document;
};

class WordSession final
    : public MultiDocumentSession<word::docx::WordApplication, word::Document, WordDocument>
{
private:
    platform::Result<word::Document *> openModel(const QString &path) override
    {
        auto document = m_application.documents().open(path);
        if (document.ok()) {
            // The caret starts at the beginning of the text, as when a document is opened.
            auto start = document.value()->content();
            start->collapse(word::CollapseDirection::Start);
            start->select();
        }
        return document;
    }
    QList<word::Document *> openModels() override { return itemsOf(m_application.documents()); }
    word::Document *activeModel() override { return m_application.activeDocument(); }
    void activateModel(word::Document *document) override { m_application.activate(document); }
    void closeModel(word::Document *document) override
    {
        m_application.documents().close(document, false);
    }
    std::unique_ptr<WordDocument> adapt(word::Document *document) override
    {
        return std::make_unique<WordDocument>(m_application, document);
    }
};

} // namespace

std::unique_ptr<HostSession> newWordSession()
{
    return std::make_unique<WordSession>();
}

} // namespace officehost
