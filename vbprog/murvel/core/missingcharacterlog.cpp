#include "vbprog/murvel/core/missingcharacterlog.h"

#include "platform/codepage/cp950.h"
#include "platform/system/filewrite.h"

#include <QDir>
#include <QFile>

namespace
{

const QString LogFileName = QStringLiteral("usrhanzi.txt");

// The fields of one line, read as a text-file field reader reads them.
void appendFields(QStringView line, QStringList &entries)
{
    qsizetype at = 0;
    while (at < line.size()) {
        while (at < line.size() && line[at] == u' ')
            ++at;
        if (at >= line.size())
            return;
        if (line[at] == u'"') {
            const qsizetype close = line.indexOf(u'"', at + 1);
            const qsizetype end = close < 0 ? line.size() : close;
            entries << line.sliced(at + 1, end - at - 1).toString();
            const qsizetype comma = line.indexOf(u',', end);
            at = comma < 0 ? line.size() : comma + 1;
        } else {
            const qsizetype comma = line.indexOf(u',', at);
            const qsizetype end = comma < 0 ? line.size() : comma;
            const QString field = line.sliced(at, end - at).trimmed().toString();
            if (!field.isEmpty())
                entries << field;
            at = end + 1;
        }
    }
}

QStringList entriesOf(const QString &text)
{
    QStringList entries;
    for (QStringView line : QStringView(text).tokenize(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        appendFields(line, entries);
    }
    return entries;
}

} // namespace

void MissingCharacterLog::startRun(const QString &windowsFolder)
{
    m_folder = windowsFolder;
    m_entries.clear();
    m_added.clear();
    m_loaded = false;
    m_error.clear();
}

QString MissingCharacterLog::path() const
{
    return QDir(m_folder).filePath(LogFileName);
}

bool MissingCharacterLog::readFile(QStringList &entries)
{
    entries.clear();
    QFile file(path());
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("無法讀取缺字記錄 %1：%2").arg(path(), file.errorString());
        return false;
    }
    // A log that is not cp950 text (UTF-8, binary) would lose characters on the way back:
    // it is neither read nor written.
    const std::optional<QString> text = codepage::fromCp950Strict(file.readAll());
    if (!text || text->contains(QChar(0))) {
        m_error = QStringLiteral("缺字記錄 %1 不是 Big5 文字檔，未讀取也未改寫").arg(path());
        return false;
    }
    entries = entriesOf(*text);
    return true;
}

bool MissingCharacterLog::load()
{
    QStringList read;
    if (!readFile(read))
        return false;
    m_entries = read + m_added;
    m_loaded = true;
    return true;
}

bool MissingCharacterLog::ensureLoaded()
{
    return m_loaded || load();
}

bool MissingCharacterLog::contains(const QString &formula) const
{
    return m_entries.contains(formula);
}

MissingCharacterLog::Addition MissingCharacterLog::add(const QString &formula)
{
    if (formula.contains(u'"') || formula.contains(u'\r') || formula.contains(u'\n')) {
        m_error = QStringLiteral("構字式「%1」含引號或換行，未記入缺字記錄").arg(formula);
        return Addition::Refused;
    }
    if (codepage::fromCp950(codepage::toCp950(formula)) != formula) {
        m_error = QStringLiteral("構字式「%1」含 Big5 以外的字，未記入缺字記錄").arg(formula);
        return Addition::Refused;
    }
    m_entries << formula;
    m_added << formula;
    return Addition::Added;
}

bool MissingCharacterLog::save()
{
    if (m_added.isEmpty()) {
        startRun(m_folder);
        return true;
    }
    QStringList merged;
    if (!readFile(merged))
        return false;
    for (const QString &entry : std::as_const(m_added)) {
        if (!merged.contains(entry))
            merged << entry;
    }
    if (!writeFile(merged))
        return false;
    startRun(m_folder);
    return true;
}

bool MissingCharacterLog::remove(const QStringList &formulas)
{
    QStringList kept;
    if (!readFile(kept))
        return false;
    const qsizetype removed =
        kept.removeIf([&formulas](const QString &entry) { return formulas.contains(entry); });
    if (removed > 0 && !writeFile(kept))
        return false;
    m_added.removeIf([&formulas](const QString &entry) { return formulas.contains(entry); });
    m_entries = kept + m_added;
    return true;
}

bool MissingCharacterLog::writeFile(const QStringList &entries)
{
    // Not a buffered QSaveFile: its commit does not see a write that failed on a full disk.
    return sys::replaceFile(path(), format(entries), &m_error);
}

QByteArray MissingCharacterLog::format(const QStringList &entries)
{
    QByteArray bytes;
    for (const QString &entry : entries)
        bytes += '"' + codepage::toCp950(entry) + "\"\r\n";
    return bytes;
}

QStringList MissingCharacterLog::parse(const QByteArray &bytes)
{
    return entriesOf(codepage::fromCp950(bytes));
}
