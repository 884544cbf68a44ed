#pragma once

#include "platform/office/word/application.h"
#include "platform/office/word/docx/docxdocument.h"

#include <memory>
#include <vector>

namespace word::docx
{

// Word over .docx files: the documents it has open, the last one opened active.
class WordApplication : public Application, private Documents
{
public:
    WordApplication() = default;

    Documents &documents() override
    {
        documentsRequested();
        return *this;
    }
    Document *activeDocument() override
    {
        documentsRequested();
        return m_active;
    }
    Range *selection() override;
    void quit() override;

    // Makes an open document the active one, as the user brings its window to the front.
    void activate(Document *document);

private:
    int count() const override { return int(m_documents.size()); }
    Document *item(int index) override;
    Document *item(const QString &fullName) override;
    platform::Result<Document *> open(const QString &path) override;
    platform::Result<bool> close(Document *document, bool saveChanges) override;

    std::vector<std::unique_ptr<DocxDocument>> m_documents;
    Document *m_active = nullptr;
};

} // namespace word::docx
