#include "platform/office/host/hostapplication.h"

#include <utility>

namespace office
{

void HostApplication::setCursor(Cursor shape)
{
    if (shape == Cursor::Wait) {
        if (!m_wait)
            m_wait.emplace();
    } else {
        m_wait.reset();
    }
}

platform::Result<bool> HostApplication::typeAtCaret(const QString &text)
{
    if (m_caretSink) {
        m_caretSink(text);
        return true;
    }
    return typeIntoActiveDocument(text);
}

platform::Result<bool> HostApplication::noDocumentOpen()
{
    return platform::Result<bool>::failure(u"沒有開啟的文件"_qs);
}

void HostApplication::documentsRequested()
{
    // Taken out before it runs: opening the document asks for the documents again.
    if (const auto open = std::exchange(m_documentOpener, nullptr))
        open();
}

} // namespace office
