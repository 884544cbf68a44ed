#pragma once

#include "platform/common/result.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace kavrot
{

// The file the transcoder writes for one destination. It is made under a new name in the
// destination's folder (ending in the destination's name, so its extension stays) and
// becomes the destination only by commit(), a rename: whatever the destination's name held
// is replaced, a link to a source file included, and never written through. Until then the
// destination stays as it was; a StagedOutput that was not committed removes its file.
class StagedOutput
{
public:
    explicit StagedOutput(QString destination);
    ~StagedOutput();
    StagedOutput(const StagedOutput &) = delete;
    StagedOutput &operator=(const StagedOutput &) = delete;

    // Makes the new file, empty and open for write().
    platform::Result<bool> create();
    // Makes the new file, empty and closed, for an engine to save its document at path().
    platform::Result<bool> reserve();
    // Appends to the file that create() made; a failure may also come from bytes given
    // before (they are written in chunks).
    platform::Result<bool> write(const QByteArray &bytes);

    QString path() const { return m_file.fileName(); }

    // An engine's message about the new file, naming instead the file the user knows: the
    // new file's name is the transcoder's own and means nothing to the user.
    QString naming(const QString &userFile, QString message) const
    {
        return message.replace(path(), userFile);
    }

    // Closes the file and renames it to the destination.
    platform::Result<bool> commit();

private:
    static constexpr qsizetype kChunk = 65536;

    platform::Result<bool> failure(const QString &reason) const;
    platform::Result<bool> writePending();

    QString m_destination;
    QFile m_file;
    QByteArray m_pending; // given to write(), not yet in the file
    bool m_created = false;
    bool m_committed = false;
};

} // namespace kavrot
