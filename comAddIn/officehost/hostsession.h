#pragma once

#include "comAddIn/officehost/hostdocument.h"

#include <memory>

namespace officehost
{

// One host (Word, Excel, PowerPoint or FrontPage) with the documents it has open: those the
// user opened and those the add-ins opened, such as a conversion's preview copy.
class HostSession
{
public:
    virtual ~HostSession() = default;

    // Starts the host of the file's kind on the file, which becomes its active document.
    // The host takes its command bars from the persisted file of that host. A failure says
    // why.
    static platform::Result<std::unique_ptr<HostSession>> open(const QString &path);
    // Starts the host of that name ("Microsoft Word", ...) without a document, with its
    // persisted command bars; nullptr for a name no host has.
    static std::unique_ptr<HostSession> start(const QString &hostName);
    // The host's name for a file of that kind ("Microsoft Word" for .docx); empty for a
    // file no host opens.
    static QString hostNameFor(const QString &path);
    // The kind of file the host saves ("docx" for "Microsoft Word"); empty for a name no
    // host has.
    static QString fileSuffixFor(const QString &hostName);
    // True for a file of a kind a host opens; else why it cannot be opened.
    static platform::Result<bool> checkKind(const QString &path);

    // Owned by the session.
    virtual office::HostApplication &application() = 0;
    // Opens one more file in this host; it becomes the active document. False for a host
    // that holds one document only.
    virtual bool opensMore() const { return true; }
    virtual platform::Result<bool> openFile(const QString &path) = 0;

    // The documents the host has open, in the order they were opened, read afresh from the
    // host. A document keeps its object for as long as it stays open. Owned by the session.
    virtual QList<HostDocument *> documents() = 0;
    // The document the add-ins act on; nullptr when none is open.
    virtual HostDocument *activeDocument() = 0;
    // Makes one of the documents the active one, as the user brings its window forward.
    virtual void activate(HostDocument &document) = 0;
    // Closes one of the documents without saving it; the object is deleted.
    virtual void close(HostDocument &document) = 0;
};

} // namespace officehost
