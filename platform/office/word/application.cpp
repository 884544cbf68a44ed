#include "platform/office/word/application.h"

namespace word
{

platform::Result<bool> Application::typeIntoActiveDocument(const QString &text)
{
    Range *caret = selection();
    if (!caret)
        return noDocumentOpen();
    caret->setText(text);
    caret->collapse(CollapseDirection::End);
    return true;
}

} // namespace word
