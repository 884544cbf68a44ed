#include "comAddIn/porvex/conversionrun.h"

#include "comAddIn/porvex/messagebox.h"
#include "platform/registry/registrystore.h"
#include "platform/system/folders.h"
#include "vbprog/murvel/core/mainprogrampath.h"
#include "vbprog/murvel/schema/schemanames.h"

#include <QDir>

namespace porvex
{

ConversionContext HostConversionContext(CandidatePicker &picker)
{
    ConversionContext context;
    context.programFolder = mainprogram::GetMainProgramDir(registry::RegistryStore());
    context.windowsFolder = sys::windowsFolder();
    context.picker = &picker;
    context.showMessage = [](const QString &title, const QString &text) {
        showMessageBox(QMessageBox::Information, title, text);
    };
    return context;
}

int HostPicker::choose(const QString &formula, const QList<Candidate> &candidates)
{
    m_before();
    const int choice = m_dialog.choose(formula, candidates);
    m_after();
    return choice;
}

ConversionRun::ConversionRun(office::HostApplication &host, const ConversionContext &context)
    : m_host(host), m_previousCursor(host.cursor())
{
    m_host.setCursor(office::HostApplication::Cursor::Wait);
    if (!context.programFolder.isEmpty()) {
        jet::Result<jet::Database> database =
            jet::Database::open(DatabasePath(context.programFolder, DatabaseNames::Regular));
        if (database)
            m_database = database.value();
        else
            fail(database.errorString());
    }
    // Without the database the engine still starts its log, and finds nothing.
    m_hasDatabase = m_engine.startRun(m_database, context.windowsFolder);
    if (!m_hasDatabase && m_database.isOpen())
        fail(m_engine.errorString());
}

ConversionRun::~ConversionRun()
{
    finish();
}

platform::Result<bool> ConversionRun::finish()
{
    if (!m_finished) {
        m_finished = true;
        if (!m_engine.finishRun())
            fail(m_engine.errorString());
        m_database.close();
        m_host.setCursor(m_previousCursor);
    }
    if (!m_errors.isEmpty())
        return platform::Result<bool>::failure(m_errors.join(u'\n'));
    return true;
}

} // namespace porvex
