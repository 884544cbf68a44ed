#pragma once

#include "comAddIn/officehost/hostsession.h"

// The host of each kind, started on a file of its kind.
namespace officehost
{

platform::Result<std::unique_ptr<HostSession>> openWordSession(const QString &path);
platform::Result<std::unique_ptr<HostSession>> openExcelSession(const QString &path);
platform::Result<std::unique_ptr<HostSession>> openPowerPointSession(const QString &path);
platform::Result<std::unique_ptr<HostSession>> openPageSession(const QString &path);

// The host's command bars, from the file kept for the application's name.
void takePersistedCommandBars(office::HostApplication &application);

// Starts a host session of type Session on the file: a failure says why the file did not
// open.
template<class Session>
platform::Result<std::unique_ptr<HostSession>> startSession(const QString &path)
{
    auto session = std::make_unique<Session>();
    if (auto opened = session->openFile(path); !opened.ok())
        return platform::Result<std::unique_ptr<HostSession>>::failure(opened.errorString());
    return std::unique_ptr<HostSession>(std::move(session));
}

} // namespace officehost
