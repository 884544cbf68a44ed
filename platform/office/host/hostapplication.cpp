#include "platform/office/host/hostapplication.h"

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

} // namespace office
