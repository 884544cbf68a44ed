#pragma once

#include "platform/common/result.h"

#include <QByteArray>
#include <QFileDevice>

namespace office
{

// Writes and flushes all of data to file, which must be open Unbuffered, so that a failure is
// known before the file is committed. A buffered write that a full disk cuts short flushes
// part of its buffer and gives no reason; an unbuffered one is tried again for the rest, and
// the system says why (ENOSPC) to a write that cannot begin. The failure's text is the reason
// as the engines give it to the user: 磁碟已滿 or 寫入檔案失敗.
platform::Result<bool> writeAll(QFileDevice &file, const QByteArray &data);

} // namespace office
