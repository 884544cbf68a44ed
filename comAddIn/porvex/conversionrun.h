#pragma once

#include "comAddIn/porvex/candidatepicker.h"
#include "comAddIn/porvex/lookupengine.h"
#include "comAddIn/porvex/previewcopy.h"
#include "platform/common/result.h"
#include "platform/office/host/hostapplication.h"

#include <QStringList>
#include <functional>

namespace porvex
{

// What a conversion needs of its surroundings. The host operations give the installed
// program's folder, the shared Windows folder, the chooser dialog and message boxes; tests
// give their own.
struct ConversionContext {
    QString programFolder;             // the main program's folder, with its separator; empty: none
    QString windowsFolder;             // holds the missing-character log and Temp/MurvelTempDir
    CandidatePicker *picker = nullptr; // not owned
    // Shows a message box with an OK button and waits for it.
    std::function<void(const QString &title, const QString &text)> showMessage;
};

// The context of the add-in in its host: the App Paths entry's folder, the dialog parented
// to the active window, QMessageBox.
ConversionContext HostConversionContext(CandidatePicker &picker);

// The picker wrapped in what a host does while the chooser is open: before() runs before
// the dialog shows, after() once it has closed.
class HostPicker : public CandidatePicker
{
public:
    HostPicker(CandidatePicker &dialog, std::function<void()> before, std::function<void()> after)
        : m_dialog(dialog), m_before(std::move(before)), m_after(std::move(after))
    {
    }

    int choose(const QString &formula, const QList<Candidate> &candidates) override;

private:
    CandidatePicker &m_dialog;
    std::function<void()> m_before;
    std::function<void()> m_after;
};

// One conversion run, from the click to its end: the host's wait pointer, the glyph
// database of the program's folder and the lookup engine on the missing-character log.
// However the run is left, its end saves the log when the run added to it, closes the
// database and gives the pointer back as it was.
class ConversionRun
{
public:
    ConversionRun(office::HostApplication &host, const ConversionContext &context);
    ~ConversionRun();
    ConversionRun(const ConversionRun &) = delete;
    ConversionRun &operator=(const ConversionRun &) = delete;

    // Whether the glyph database is open; without it every lookup fails and nothing is
    // converted.
    bool hasDatabase() const { return m_hasDatabase; }
    LookupEngine &engine() { return m_engine; }

    // A failing step that the run skips; the run's result reports it.
    void fail(const QString &message) { m_errors.append(message); }
    // Ends the run (log, database) and reports the failures it met.
    platform::Result<bool> finish();

private:
    office::HostApplication &m_host;
    office::HostApplication::Cursor m_previousCursor;
    jet::Database m_database;
    LookupEngine m_engine;
    bool m_hasDatabase = false;
    bool m_finished = false;
    QStringList m_errors;
};

// Saves a workbook or presentation that has unsaved changes.
template<class Document> void SaveIfChanged(ConversionRun &run, Document &document)
{
    if (document.saved())
        return;
    if (platform::Result<bool> saved = document.save(); !saved)
        run.fail(saved.errorString());
}

// Writes the preview copy of a workbook or presentation beside it and opens it: saves the
// source when it has changes, closes the copy when it is open, saves the source as the copy
// and back as itself, and opens the copy, which becomes the active document. Null when there
// is no copy: the source was never saved (nowhere to put it) or a step failed.
template<class Document, class Documents>
Document *OpenPreviewCopy(ConversionRun &run, Document &source, Documents &open,
                          const QString &markAndExtension)
{
    SaveIfChanged(run, source);
    if (source.path().isEmpty())
        return nullptr;
    const QString sourcePath = source.fullName();
    const QString copyPath = PreviewCopyPath(source.path(), source.name(), markAndExtension);
    for (int index = open.count(); index >= 1; --index) {
        if (Document *document = open.item(index); document && document->fullName() == copyPath)
            document->close();
    }
    if (platform::Result<bool> copied = source.saveAs(copyPath); !copied) {
        run.fail(copied.errorString());
        return nullptr;
    }
    if (platform::Result<bool> back = source.saveAs(sourcePath); !back)
        run.fail(back.errorString());
    platform::Result<Document *> copy = open.open(copyPath);
    if (!copy) {
        run.fail(copy.errorString());
        return nullptr;
    }
    return copy.value();
}

} // namespace porvex
