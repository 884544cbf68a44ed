#pragma once

#include "comAddIn/porvex/candidatepicker.h"
#include "comAddIn/porvex/lookupengine.h"
#include "comAddIn/porvex/message.h"
#include "comAddIn/porvex/previewcopy.h"
#include "platform/common/result.h"
#include "platform/office/host/hostapplication.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <functional>
#include <vector>

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
    std::function<void(const Message &)> showMessage;
};

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

// One conversion run, from the click to its end, in any host: the host's wait pointer, the
// glyph database of the program's folder and a lookup engine of its own on the
// missing-character log. However the run is left, its end saves the log when the run added
// to it, closes the database and gives the pointer back as it was.
class ConversionRun
{
public:
    ConversionRun(office::HostApplication &host, const ConversionContext &context);
    ~ConversionRun();
    ConversionRun(const ConversionRun &) = delete;
    ConversionRun &operator=(const ConversionRun &) = delete;

    // Whether a run has begun and not yet finished. The chooser waits for the user inside a
    // run, and a click can reach the add-in meanwhile: a conversion asked for then starts
    // nothing.
    static bool inProgress();

    // Whether the glyph database is open; without it every lookup fails and nothing is
    // converted.
    bool hasDatabase() const { return m_hasDatabase; }
    LookupEngine &engine() { return m_engine; }

    // Makes the folder of the run's picture files, Temp/MurvelTempDir of the Windows folder,
    // and gives its path; empty, the run failing, when it cannot be made.
    QString makePictureFolder();

    // A failing step that the run skips; the run's result reports it after those before it.
    void fail(const QString &message) { m_errors.append(message); }
    // Ends the run (log, database, pointer) and reports the failures it met, in order.
    platform::Result<bool> finish();

private:
    office::HostApplication &m_host;
    office::HostApplication::Cursor m_previousCursor;
    QString m_windowsFolder;
    jet::Database m_database;
    LookupEngine m_engine;
    bool m_hasDatabase = false;
    bool m_finished = false;
    QStringList m_errors;
};

// Screen updating off for as long as it lives, on again however a conversion is left.
class ScreenUpdatingOff
{
public:
    explicit ScreenUpdatingOff(office::HostApplication &host) : m_host(host)
    {
        m_host.setScreenUpdating(false);
    }
    ~ScreenUpdatingOff() { m_host.setScreenUpdating(true); }
    ScreenUpdatingOff(const ScreenUpdatingOff &) = delete;
    ScreenUpdatingOff &operator=(const ScreenUpdatingOff &) = delete;

private:
    office::HostApplication &m_host;
};

// Saves the source of a conversion at its end, when the run made changes in it.
template<class Document> void SaveSource(ConversionRun &run, Document &source)
{
    if (source.saved())
        return;
    if (platform::Result<bool> saved = source.save(); !saved)
        run.fail(u"原始文件無法儲存：%1"_qs.arg(saved.errorString()));
}

// Saves the preview copy at the end of a conversion, under its own name.
template<class Document> void SaveCopy(ConversionRun &run, Document &copy)
{
    if (platform::Result<bool> saved = copy.saveAs(copy.fullName()); !saved)
        run.fail(u"預覽文件無法儲存：%1"_qs.arg(saved.errorString()));
}

namespace previewcopy
{

// Closes an open document without saving it, as its host's collection does that.
template<class Document, class Documents> void closeUnsaved(Documents &open, Document &document)
{
    if constexpr (requires { open.close(&document, false); })
        open.close(&document, false);
    else
        document.close();
}

} // namespace previewcopy

// Writes the preview copy of a document beside it and opens it, which makes it the active
// document: saves the source when it has changes, saves it as the copy and back as itself,
// and opens the copy. An earlier copy still open under the copy's name is first saved aside
// as "~<base>.tmp", which frees the name and keeps all it holds; once the new copy is open
// the earlier one is closed and its file deleted, else it stays open there, so that nothing
// of it is lost. Null when there is no copy: the source was never saved (nowhere to put it)
// or a step failed, which the run reports.
template<class Document, class Documents>
Document *OpenPreviewCopy(ConversionRun &run, Document &source, Documents &open,
                          const QString &markAndExtension)
{
    if (!source.saved()) {
        if (platform::Result<bool> saved = source.save(); !saved) {
            run.fail(u"文件無法儲存，構字式未轉換：%1"_qs.arg(saved.errorString()));
            return nullptr;
        }
    }
    if (source.path().isEmpty())
        return nullptr;
    const QString sourcePath = source.fullName();
    const QString copyPath = PreviewCopyPath(source.path(), source.name(), markAndExtension);
    const QString asidePath =
        QDir(source.path()).filePath(u'~' + PreviewBaseName(source.name()) + u".tmp"_qs);
    auto failed = [&run](const QString &what, const QString &reason) {
        run.fail(what.arg(reason));
        return nullptr;
    };

    std::vector<Document *> earlier;
    for (int index = 1; index <= open.count(); ++index) {
        if (Document *document = open.item(index); document && document->fullName() == copyPath)
            earlier.push_back(document);
    }
    for (Document *document : earlier) {
        if (platform::Result<bool> aside = document->saveAs(asidePath); !aside)
            return failed(u"預覽文件無法寫入：%1"_qs, aside.errorString());
    }
    if (platform::Result<bool> copied = source.saveAs(copyPath); !copied)
        return failed(u"預覽文件無法寫入：%1"_qs, copied.errorString());
    if (platform::Result<bool> back = source.saveAs(sourcePath); !back)
        return failed(u"預覽文件無法寫入：%1"_qs, back.errorString());
    platform::Result<Document *> copy = open.open(copyPath);
    if (!copy)
        return failed(u"預覽文件無法開啟：%1"_qs, copy.errorString());
    for (Document *document : earlier)
        previewcopy::closeUnsaved(open, *document);
    if (!earlier.empty())
        QFile::remove(asidePath);
    return copy.value();
}

} // namespace porvex
