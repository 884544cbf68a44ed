#include "comAddIn/officehost/hostdocument.h"

#include "comAddIn/officehost/hostkinds.h"
#include "platform/office/host/commandbars.h"
#include "platform/office/host/hostapplication.h"

#include <QFileInfo>

namespace officehost
{

platform::Result<std::unique_ptr<HostDocument>> HostDocument::open(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"docx")
        return openWordDocument(path);
    if (suffix == u"xlsx")
        return openExcelWorkbook(path);
    if (suffix == u"pptx")
        return openPowerPointPresentation(path);
    if (suffix == u"html" || suffix == u"htm")
        return openHtmlPage(path);
    return platform::Result<std::unique_ptr<HostDocument>>::failure(
        u"無法開啟 %1：只能開啟 .docx、.xlsx、.pptx 與 .html 檔"_qs.arg(path));
}

void takePersistedCommandBars(office::HostApplication &application)
{
    application.setCommandBars(office::CommandBars::open(application.name()));
}

} // namespace officehost
