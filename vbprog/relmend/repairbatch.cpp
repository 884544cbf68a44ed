#include "vbprog/relmend/repairbatch.h"

#include "platform/office/word/docx/wordapplication.h"
#include "vbprog/relmend/wordrepairer.h"
#include "vbprog/toolkit/batchfolder.h"
#include "vbprog/toolkit/namedfiles.h"
#include "vbprog/toolkit/sourcefile.h"

#include <QDir>
#include <QFileInfo>

namespace relmend
{

bool isWordDocument(const QString &fileName)
{
    return QFileInfo(fileName).suffix().compare(QLatin1String("docx"), Qt::CaseInsensitive) == 0;
}

RepairBatch::Result RepairBatch::run(const QString &fileOrFolder)
{
    Result result;
    m_observer.setCount(std::nullopt);
    m_observer.setMessage(QStringLiteral(" 開始修復..."));
    m_observer.letEventsRun();

    const QFileInfo source(fileOrFolder);
    if (fileOrFolder.isEmpty() || !source.exists()) {
        m_observer.setMessage(QStringLiteral(" 找不到檔案或目錄：%1").arg(fileOrFolder));
        result.failures.append(fileOrFolder + QStringLiteral("：找不到檔案或目錄"));
        return result;
    }
    word::docx::WordApplication word;
    word.setVisible(false);
    WordRepairer repairer(word, m_observer);
    if (source.isDir()) {
        const QDir folder(source.absoluteFilePath());
        const toolkit::BatchFolder listing = toolkit::listBatchFolder(folder.path());
        result.unreadableNames = listing.unreadableNames;
        for (const QString &name : listing.files) {
            if (!isWordDocument(name)) {
                ++result.skipped;
                continue;
            }
            repairFile(repairer, folder.filePath(name), result);
            if (result.stopped)
                break;
        }
    } else if (!isWordDocument(source.fileName())) {
        ++result.skipped;
    } else {
        repairFile(repairer, source.absoluteFilePath(), result);
    }
    word.quit();
    m_observer.setMessage(closingMessage(result));
    return result;
}

void RepairBatch::repairFile(WordRepairer &repairer, const QString &path, Result &result)
{
    const QString name = QFileInfo(path).fileName();
    m_observer.setMessage(QStringLiteral(" 檔案 %1 修復中...").arg(name));
    m_observer.letEventsRun();
    // A FIFO or a device would hold the batch or fill memory in the engine's read.
    const QString refused = toolkit::refusedSource(path);
    const WordRepairer::Outcome outcome =
        refused.isEmpty() ? repairer.RepairWordFile(path) : WordRepairer::Outcome::Failed;
    if (m_observer.stopRequested()) {
        result.stopped = true;
        return;
    }
    if (outcome == WordRepairer::Outcome::Failed) {
        const QString reason = refused.isEmpty() ? repairer.errorString() : refused;
        result.failures.append(name + QStringLiteral("：") + reason);
        m_observer.setMessage(QStringLiteral(" 檔案 %1 無法修復：%2").arg(name, reason));
        m_observer.letEventsRun();
        return;
    }
    ++result.repaired;
    m_observer.setCount(result.repaired);
    m_observer.letEventsRun();
}

QString RepairBatch::closingMessage(const Result &result)
{
    if (result.stopped)
        return QStringLiteral(" 使用者中斷");
    QString message = QStringLiteral(" 修復完畢");
    if (result.skipped > 0)
        message += QStringLiteral("，略過 %1 個非 Word 檔案").arg(result.skipped);
    if (!result.failures.isEmpty())
        message += toolkit::namedFiles(QStringLiteral("，%1 個檔案無法修復"), result.failures);
    if (!result.unreadableNames.isEmpty())
        message += toolkit::namedFiles(QStringLiteral("，%1 個檔案的檔名無法辨識，未修復"),
                                       result.unreadableNames);
    return message;
}

} // namespace relmend
