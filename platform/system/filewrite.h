#pragma once

#include "platform/common/result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFileDevice>
#include <QString>
#include <optional>

namespace sys
{

// How the document engines name a write that failed: 磁碟已滿 or 寫入檔案失敗.
QString writeFailureText(bool diskFull);

// Why a file could not be replaced: the step that failed, whether the disk was full, and
// the system's words for it.
struct ReplaceFailure {
    enum class Step { Create, Write, Rename };
    Step step = Step::Create;
    bool diskFull = false;
    QString reason;

    // The failure as the document engines tell it the user.
    QString text() const;
};

// Replaces the file's contents with `data`: writes a temporary file of a short name in the
// same folder (so that a file whose name is as long as the file system allows is replaced
// too), with the old file's permissions, checks that every byte reached the disk and
// renames it over the old file; a link is replaced at its target. On any failure (a full
// disk, a folder without write access) the old file stays as it was and the temporary file
// is removed.
std::optional<ReplaceFailure> writeReplacing(const QString &path, QByteArrayView data);

// writeReplacing(), with the failure, when `error` is given, in one sentence.
bool replaceFile(const QString &path, QByteArrayView data, QString *error = nullptr);

// Writes and flushes all of data to file, which must be open Unbuffered, so that a failure is
// known before the file is committed. A buffered write that a full disk cuts short flushes
// part of its buffer and gives no reason; an unbuffered one is tried again for the rest, and
// the system says why (ENOSPC) to a write that cannot begin. The failure's text is the reason
// as the document engines give it to the user: 磁碟已滿 or 寫入檔案失敗.
platform::Result<bool> writeAll(QFileDevice &file, QByteArrayView data);

} // namespace sys
