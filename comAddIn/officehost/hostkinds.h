#pragma once

#include "comAddIn/officehost/hostsession.h"

#include <algorithm>
#include <vector>

// The host of each kind, started without a document.
namespace officehost
{

std::unique_ptr<HostSession> newWordSession();
std::unique_ptr<HostSession> newExcelSession();
std::unique_ptr<HostSession> newPowerPointSession();
std::unique_ptr<HostSession> newPageSession();

// The host's command bars, from the file kept for the application's name.
void takePersistedCommandBars(office::HostApplication &application);

// A host whose Application holds many documents, each of type Model, and stands for each
// with an Adapter (a HostDocument whose model() is the document): one made when the host
// has opened the document and kept for as long as it stays open.
template<class Application, class Model, class Adapter>
class MultiDocumentSession : public HostSession
{
public:
    MultiDocumentSession() { takePersistedCommandBars(m_application); }

    office::HostApplication &application() override { return m_application; }

    platform::Result<bool> openFile(const QString &path) override
    {
        if (platform::Result<Model *> opened = openModel(path); !opened.ok())
            return platform::Result<bool>::failure(opened.errorString());
        return true;
    }

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
    // Opens the file in the host, which makes it the active document.
    virtual platform::Result<Model *> openModel(const QString &path) = 0;
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

    Application m_application;

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
