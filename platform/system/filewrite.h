#pragma once

#include "platform/common/result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFileDevice>
#include <QString>

namespace sys
{

// Replaces the file's contents with `data`: writes a temporary file in the same folder,
// checks that every byte was written and renames it over the old file. On any failure
// (a full disk, a folder without write access) the old file stays as it was, the
// temporary file is removed and, when `error` is given, it says why.
bool replaceFile(const QString &path, QByteArrayView data, QString *error = nullptr);

// Writes and flushes all of data to file, which must be open Unbuffered, so that a failure is
// known before the file is committed. A buffered write that a full disk cuts short flushes
// part of its buffer and gives no reason; an unbuffered one is tried again for the rest, and
// the system says why (ENOSPC) to a write that cannot begin. The failure's text is the reason
// as the document engines give it to the user: 磁碟已滿 or 寫入檔案失敗.
platform::Result<bool> writeAll(QFileDevice &file, const QByteArray &data);

} // namespace sys
