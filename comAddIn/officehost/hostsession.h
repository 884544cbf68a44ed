#pragma once

#include "comAddIn/officehost/hostdocument.h"

#include <algorithm>
#include <vector>

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
    // The host's name for a file of that kind ("Microsoft Word" for .docx); empty for a
    // file no host opens.
    static QString hostNameFor(const QString &path);
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

// A host that holds many documents, each of type Model, owned by the host's application,
// and stands for each with an Adapter (a HostDocument whose model() is the document): one
// made when the host has opened the document and kept for as long as it stays open.
template<class Model, class Adapter> class MultiDocumentSession : public HostSession
{
public:
    QList<HostDocument *> documents() override
    {
        std::vector<std::unique_ptr<Adapter>> kept;
        QList<HostDocument *> documents;
        for (Model *model : openModels()) {
            const auto found =
                std::find_if(m_adapters.begin(), m_adapters.end(),
                             [model](const auto &a) { return a && a->model() == model; });
            kept.push_back(found != m_adapters.end() ? std::move(*found) : adapt(model));
            documents.append(kept.back().get());
        }
        m_adapters = std::move(kept);
        return documents;
    }

    HostDocument *activeDocument() override
    {
        documents();
        const Model *active = activeModel();
        for (const auto &adapter : m_adapters) {
            if (adapter->model() == active)
                return adapter.get();
        }
        return nullptr;
    }

    void activate(HostDocument &document) override
    {
        if (Model *model = modelOf(document))
            activateModel(model);
    }

    void close(HostDocument &document) override
    {
        if (Model *model = modelOf(document))
            closeModel(model);
        documents();
    }

protected:
    // The host's open documents in the order it opened them, and its active one.
    virtual QList<Model *> openModels() = 0;
    virtual Model *activeModel() = 0;
    virtual void activateModel(Model *model) = 0;
    // Without saving.
    virtual void closeModel(Model *model) = 0;
    virtual std::unique_ptr<Adapter> adapt(Model *model) = 0;

    // The items of one of the host's collections (Documents, Workbooks, Presentations).
    template<class Collection> static QList<Model *> itemsOf(Collection &collection)
    {
        QList<Model *> items;
        for (int i = 1; i <= collection.count(); ++i)
            items.append(collection.item(i));
        return items;
    }

private:
    Model *modelOf(const HostDocument &document) const
    {
        for (const auto &adapter : m_adapters) {
            if (adapter.get() == &document)
                return adapter->model();
        }
        return nullptr;
    }

    std::vector<std::unique_ptr<Adapter>> m_adapters;
};

} // namespace officehost
