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

} // namespace porvex
