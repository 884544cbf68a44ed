#include "vbprog/kavrot/stagedoutput.h"

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
        QStringLiteral("無法寫入 %1：%2").arg(QDir::toNativeSeparators(m_destination), reason));
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
        if (m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
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
    if (m_file.write(bytes) != bytes.size())
        return failure(m_file.errorString());
    return true;
}

platform::Result<bool> StagedOutput::commit()
{
    if (m_file.isOpen()) {
        if (!m_file.flush())
            return failure(m_file.errorString());
        m_file.close();
    }
    // rename() replaces the name itself: a link there is replaced, its target untouched.
    if (std::rename(QFile::encodeName(path()).constData(),
                    QFile::encodeName(m_destination).constData()) != 0)
        return failure(qt_error_string(errno));
    m_committed = true;
    return true;
}

} // namespace kavrot
