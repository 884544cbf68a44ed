#include "vbprog/kavrot/stagedoutput.h"

#include "platform/office/package/documentmessages.h"
#include "platform/system/filewrite.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>

namespace kavrot
{

StagedOutput::StagedOutput(QString destination) : m_destination(std::move(destination))
{
}

StagedOutput::~StagedOutput()
{
    if (m_created && !m_committed) {
        m_file.close();
        m_file.remove();
    }
}

platform::Result<bool> StagedOutput::failure(const QString &reason) const
{
    return platform::Result<bool>::failure(
        office::cannotSave(QDir::toNativeSeparators(m_destination), reason));
}

platform::Result<bool> StagedOutput::create()
{
    const QFileInfo destination(m_destination);
    // A name that exists is never opened: NewOnly fails on it, a link included.
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString name = QStringLiteral(".~%1-").arg(QRandomGenerator::global()->generate(), 8,
                                                         16, QChar(u'0')) +
                             destination.fileName();
        m_file.setFileName(destination.dir().filePath(name));
        // Unbuffered, as sys::writeAll asks, so that a full disk is named as such; write()
        // gathers what it is given into chunks instead.
        if (m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            m_created = true;
            return true;
        }
        if (!QFileInfo::exists(m_file.fileName()) && !QFileInfo(m_file.fileName()).isSymLink())
            break;
    }
    return failure(m_file.errorString());
}

platform::Result<bool> StagedOutput::reserve()
{
    const platform::Result<bool> created = create();
    m_file.close();
    return created;
}

platform::Result<bool> StagedOutput::write(const QByteArray &bytes)
{
    m_pending += bytes;
    return m_pending.size() < kChunk ? platform::Result<bool>(true) : writePending();
}

platform::Result<bool> StagedOutput::writePending()
{
    const platform::Result<bool> written = sys::writeAll(m_file, m_pending);
    m_pending.clear();
    return written ? written : failure(written.errorString());
}

platform::Result<bool> StagedOutput::commit()
{
    if (m_file.isOpen()) {
        if (const platform::Result<bool> written = writePending(); !written)
            return written;
    }
    m_file.close();
    // rename() replaces the name itself: a link there is replaced, its target untouched.
    if (std::rename(QFile::encodeName(path()).constData(),
                    QFile::encodeName(m_destination).constData()) != 0)
        return failure(qt_error_string(errno));
    m_committed = true;
    return true;
}

} // namespace kavrot
