#include "platform/office/excel/excel.h"

#include <QClipboard>
#include <QGuiApplication>

namespace office::excel
{

platform::Result<bool> Application::typeIntoActiveDocument(const QString &text)
{
    const std::unique_ptr<Range> cell = activeCell();
    if (!cell)
        return noDocumentOpen();
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return platform::Result<bool>::failure(u"沒有剪貼簿，無法貼上"_qs);
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
    cell->worksheet().paste();
    return true;
}

} // namespace office::excel
