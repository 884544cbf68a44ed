#include "vbprog/kavrot/batch.h"

#include "vbprog/kavrot/convertfile.h"
#include "vbprog/toolkit/batchfolder.h"
#include "vbprog/toolkit/namedfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace kavrot
{

namespace
{

// The same folder, however each path names it: through a link, another spelling or a bind
// mount, a folder is the same device and inode.
bool sameFolder(const QString &first, const QString &second)
{
    struct stat a;
    struct stat b;
    return ::stat(QFile::encodeName(first).constData(), &a) == 0 &&
           ::stat(QFile::encodeName(second).constData(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

class Batch
{
public:
    Batch(const ReferenceTable &reference, toolkit::BatchObserver &observer)
        : m_observer(observer), m_run(reference, observer)
    {
    }

    // Converts one file; false when the user stopped the run during it.
    bool convert(const QString &folder, const QString &name, const QString &destination)
    {
        m_observer.setMessage(QStringLiteral(" 檔案 ") + name + QStringLiteral(" 轉碼中..."));
        m_observer.letEventsRun();
        const platform::Result<FileOutcome> outcome =
            ConvertFile(QDir(folder).filePath(name), QDir(destination).filePath(name), m_run);
        if (m_observer.stopRequested() || (outcome.ok() && outcome.value() == FileOutcome::Stopped))
            return false;
        if (outcome.ok()) {
            m_observer.setCount(++m_result.count);
            m_observer.letEventsRun();
        } else {
            m_result.failures.append(name + QStringLiteral("：") + outcome.errorString());
        }
        return true;
    }

    void skipUnreadable(const QStringList &names) { m_result.unreadableNames = names; }

    BatchResult finish(bool stopped)
    {
        m_run.quitApplications();
        m_result.started = true;
        m_result.stopped = stopped;
        QString message = stopped ? QStringLiteral(" 使用者中斷，總共轉換了")
                                  : QStringLiteral(" 轉碼結束，總共轉換了");
        message += QString::number(m_result.count) + QStringLiteral("個檔案。");
        if (!m_result.failures.isEmpty())
            message += toolkit::namedFiles(QStringLiteral("%1個檔案無法轉換"), m_result.failures);
        if (!m_result.unreadableNames.isEmpty())
            message += toolkit::namedFiles(QStringLiteral("%1個檔案的檔名無法辨識，未轉換"),
                                           m_result.unreadableNames);
        m_observer.setMessage(message);
        return m_result;
    }

private:
    toolkit::BatchObserver &m_observer;
    TranscodeRun m_run;
    BatchResult m_result;
};

} // namespace

BatchResult runBatch(const BatchRequest &request, toolkit::BatchObserver &observer)
{
    const auto cannotStart = [&](const QString &why) {
        observer.setMessage(u' ' + why);
        return BatchResult();
    };
    if (request.referenceDatabase.isEmpty())
        return cannotStart(QStringLiteral("找不到主程式的安裝目錄，無法開啟轉碼參考檔案。"));
    const platform::Result<ReferenceTable> reference =
        ReferenceTable::open(request.referenceDatabase);
    if (!reference)
        return cannotStart(reference.errorString());

    observer.setMessage(QStringLiteral(" 開始轉碼..."));
    observer.setCount(0);
    observer.letEventsRun();

    const QFileInfo source(request.source);
    if (request.source.isEmpty() || !source.exists())
        return cannotStart(QStringLiteral("找不到來源檔案或目錄：") + request.source);
    if (request.destination.isEmpty() || !QFileInfo(request.destination).isDir())
        return cannotStart(QStringLiteral("轉碼後檔案存放目錄不存在：") + request.destination);
    const QString sourceFolder = source.isDir() ? source.absoluteFilePath() : source.absolutePath();
    if (sameFolder(sourceFolder, request.destination)) {
        observer.refuse(QStringLiteral("目錄錯誤"),
                        QStringLiteral("轉碼後的檔案目錄和來源檔案的目錄不可相同，"
                                       "請重新設定檔案存放目錄！"));
        observer.setMessage(QString());
        return BatchResult();
    }

    Batch batch(reference.value(), observer);
    if (!source.isDir())
        return batch.finish(!batch.convert(sourceFolder, source.fileName(), request.destination));
    const toolkit::BatchFolder folder = toolkit::listBatchFolder(sourceFolder);
    batch.skipUnreadable(folder.unreadableNames);
    for (const QString &name : folder.files) {
        if (!batch.convert(sourceFolder, name, request.destination))
            return batch.finish(true);
    }
    return batch.finish(false);
}

} // namespace kavrot
