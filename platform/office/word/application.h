#pragma once

#include "platform/common/result.h"
#include "platform/office/host/hostapplication.h"
#include "platform/office/word/collection.h"
#include "platform/office/word/document.h"

namespace word
{

class Documents : public Collection<Document>
{
public:
    // The open document whose full name is exactly fullName; nullptr when none.
    virtual Document *item(const QString &fullName) = 0;
    using Collection<Document>::item;
    // Opens a .docx file, which becomes the active document. A file that cannot be read
    // as one gives the reason and is left as it was.
    virtual platform::Result<Document *> open(const QString &path) = 0;
    // Closes the document (saving it first when saveChanges is true; a failed save keeps
    // it open and gives the reason). The document must not be used afterwards.
    virtual platform::Result<bool> close(Document *document, bool saveChanges) = 0;
};

class Application : public office::HostApplication
{
public:
    QString name() const override { return office::hostName(office::HostKind::Word); }

    virtual Documents &documents() = 0;
    // The document opened or activated last; nullptr when none is open.
    virtual Document *activeDocument() = 0;
    // The selection of the active document's window; nullptr when no document is open.
    virtual Range *selection() = 0;

    // Whether the host shows its window; the batch tools work with it hidden.
    bool visible() const { return m_visible; }
    virtual void setVisible(bool visible) { m_visible = visible; }
    // Closes every document without saving it.
    virtual void quit() = 0;

protected:
    // Over the selection, which then collapses after the text.
    platform::Result<bool> typeIntoActiveDocument(const QString &text) override;

private:
    bool m_visible = true;
};

} // namespace word
