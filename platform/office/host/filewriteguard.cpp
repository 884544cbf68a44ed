#include "platform/office/host/filewriteguard.h"

#include "platform/system/filewrite.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace office
{

namespace
{

// Clicks run one at a time, each with its document: one guard at most lives.
FileWriteGuard *g_guard = nullptr;

QString canonical(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

QByteArray FileWriteGuard::digestOf(const QString &path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return QByteArray();
    return hash.result();
}

FileWriteGuard::FileWriteGuard(const QString &path)
    : m_path(canonical(path)), m_read(digestOf(path)), m_digest(m_read)
{
    g_guard = this;
}

FileWriteGuard::~FileWriteGuard()
{
    if (g_guard == this)
        g_guard = nullptr;
}

std::optional<QString> FileWriteGuard::refusal(const QString &path)
{
    if (g_guard == nullptr || canonical(path) != g_guard->m_path ||
        digestOf(path) == g_guard->m_digest)
        return std::nullopt;
    g_guard->m_refused = true;
    return QStringLiteral("檔案已在別的程式中被更改");
}

std::optional<QString> FileWriteGuard::write(const QString &path, const QByteArray &bytes)
{
    if (const std::optional<sys::ReplaceFailure> failure = sys::writeReplacing(path, bytes))
        return failure->text();
    if (g_guard != nullptr && canonical(path) == g_guard->m_path)
        g_guard->m_digest = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    return std::nullopt;
}

} // namespace office
