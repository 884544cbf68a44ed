#pragma once

#include "comAddIn/officehost/hostdocument.h"

// The document of each host, opened on a file of its kind.
namespace officehost
{

platform::Result<std::unique_ptr<HostDocument>> openWordDocument(const QString &path);
platform::Result<std::unique_ptr<HostDocument>> openExcelWorkbook(const QString &path);
platform::Result<std::unique_ptr<HostDocument>> openPowerPointPresentation(const QString &path);
platform::Result<std::unique_ptr<HostDocument>> openHtmlPage(const QString &path);

// The host's command bars, from the file kept for the application's name.
void takePersistedCommandBars(office::HostApplication &application);

} // namespace officehost
