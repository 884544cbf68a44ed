#include "platform/office/word/docx/wordapplication.h"

#include <algorithm>

namespace word::docx
{

Range *WordApplication::selection()
{
    documentsRequested();
    return m_active != nullptr ? &m_active->activeWindow().selection() : nullptr;
}

void WordApplication::quit()
{
    m_documents.clear();
    m_active = nullptr;
}

void WordApplication::activate(Document *document)
{
    if (std::any_of(m_documents.begin(), m_documents.end(),
                    [document](const auto &open) { return open.get() == document; }))
        m_active = document;
}

Document *WordApplication::item(int index)
{
    if (index < 1 || index > count())
        return nullptr;
    return m_documents[size_t(index - 1)].get();
}

Document *WordApplication::item(const QString &fullName)
{
    for (const auto &document : m_documents) {
        if (document->fullName() == fullName)
            return document.get();
    }
    return nullptr;
}

platform::Result<Document *> WordApplication::open(const QString &path)
{
    auto opened = DocxDocument::open(path);
    if (!opened)
        return platform::Result<Document *>::failure(opened.errorString());
    m_documents.push_back(std::move(opened.value()));
    m_active = m_documents.back().get();
    return platform::Result<Document *>(m_active);
}

platform::Result<bool> WordApplication::close(Document *document, bool saveChanges)
{
    const auto found =
        std::find_if(m_documents.begin(), m_documents.end(),
                     [document](const auto &open) { return open.get() == document; });
    if (found == m_documents.end())
        return platform::Result<bool>::failure(QStringLiteral("這份文件沒有開啟"));
    if (saveChanges) {
        auto saved = document->save();
        if (!saved)
            return saved;
    }
    m_documents.erase(found);
    if (m_active == document)
        m_active = m_documents.empty() ? nullptr : m_documents.back().get();
    return platform::Result<bool>(true);
}

} // namespace word::docx
