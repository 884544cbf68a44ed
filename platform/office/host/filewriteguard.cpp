#include "platform/office/host/filewriteguard.h"

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

bool FileWriteGuard::maySave(const QString &path)
{
    if (g_guard == nullptr || canonical(path) != g_guard->m_path)
        return true;
    if (digestOf(path) == g_guard->m_digest)
        return true;
    g_guard->m_refused = true;
    return false;
}

void FileWriteGuard::saved(const QString &path, const QByteArray &bytes)
{
    if (g_guard != nullptr && canonical(path) == g_guard->m_path)
        g_guard->m_digest = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

} // namespace office
