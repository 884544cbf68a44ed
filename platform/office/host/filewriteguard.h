#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace office
{

// A file that another program holds open while a host of ours works on it too (the document
// of a click made in the office program): while the guard lives, a save over the file goes
// ahead only if its bytes are still those this process last read or wrote, so that what the
// other program saved meanwhile is never overwritten. The engines ask it before each save.
class FileWriteGuard
{
public:
    // Takes the file's bytes as they are now as the ones this process has read.
    explicit FileWriteGuard(const QString &path);
    ~FileWriteGuard();
    FileWriteGuard(const FileWriteGuard &) = delete;
    FileWriteGuard &operator=(const FileWriteGuard &) = delete;

    // Whether a save over the file was refused while the guard lived.
    bool refusedWrite() const { return m_refused; }
    // Whether the file's bytes now differ from those it held when the guard began.
    bool fileChanged() const { return digestOf(m_path) != m_read; }

    // Why a save over the path must not happen, remembering the refusal: its file changed
    // elsewhere. Nothing for any path no guard holds.
    static std::optional<QString> refusal(const QString &path);
    // Writes the bytes over the path (see sys::writeReplacing) and takes them as the file's;
    // the failure's reason when they cannot be written.
    static std::optional<QString> write(const QString &path, const QByteArray &bytes);

private:
    // The file's content as a digest; empty when it cannot be read.
    static QByteArray digestOf(const QString &path);

    QString m_path;
    QByteArray m_read;   // of the bytes when the guard began
    QByteArray m_digest; // of the bytes last read or written here; empty for no file
    bool m_refused = false;
};

} // namespace office
