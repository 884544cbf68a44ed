#include "comAddIn/porvex/conversionrun.h"

#include "vbprog/murvel/schema/schemanames.h"

#include <QDir>

namespace porvex
{

namespace
{

// One run at a time in a host; see ConversionRun::inProgress.
bool runInProgress = false;

} // namespace

int HostPicker::choose(const QString &formula, const QList<Candidate> &candidates)
{
    m_before();
    const int choice = m_dialog.choose(formula, candidates);
    m_after();
    return choice;
}

ConversionRun::ConversionRun(office::HostApplication &host, const ConversionContext &context)
    : m_host(host), m_previousCursor(host.cursor()), m_windowsFolder(context.windowsFolder)
{
    runInProgress = true;
    m_host.setCursor(office::HostApplication::Cursor::Wait);
    if (!context.programFolder.isEmpty()) {
        jet::Result<jet::Database> database =
            jet::Database::open(DatabasePath(context.programFolder, DatabaseNames::Regular));
        if (database)
            m_database = database.value();
        else
            fail(u"字庫無法開啟，構字式未轉換：%1"_qs.arg(database.errorString()));
    }
    // Without the database the engine still starts its log, and finds nothing.
    m_hasDatabase = m_engine.startRun(m_database, context.windowsFolder);
    if (!m_hasDatabase && m_database.isOpen())
        fail(u"字庫無法開啟，構字式未轉換：%1"_qs.arg(m_engine.errorString()));
}

ConversionRun::~ConversionRun()
{
    finish();
}

bool ConversionRun::inProgress()
{
    return runInProgress;
}

QString ConversionRun::makePictureFolder()
{
    const QString folder = QDir(m_windowsFolder).filePath(u"Temp/MurvelTempDir"_qs);
    if (QDir().mkpath(folder))
        return folder;
    fail(u"無法建立圖片資料夾 %1"_qs.arg(folder));
    return QString();
}

platform::Result<bool> ConversionRun::finish()
{
    if (!m_finished) {
        m_finished = true;
        if (!m_engine.finishRun())
            fail(u"缺字記錄無法儲存：%1"_qs.arg(m_engine.errorString()));
        m_database.close();
        m_host.setCursor(m_previousCursor);
        runInProgress = false;
    }
    if (!m_errors.isEmpty())
        return platform::Result<bool>::failure(m_errors.join(u'\n'));
    return true;
}

} // namespace porvex
