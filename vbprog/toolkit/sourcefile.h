#pragma once

#include "platform/common/result.h"

#include <QByteArray>
#include <QString>

namespace toolkit
{

// The largest source file a batch tool takes: a larger one is refused, never read whole.
constexpr qint64 kSourceFileLimit = qint64(256) << 20;

// Why a batch tool cannot take path as a source file, naming it: it is no regular file (a
// folder, a FIFO, a socket, a device, or a link to one of them), or it holds more than limit
// bytes. Empty when it can, and when path names nothing (opening it then says so).
QString refusedSource(const QString &path, qint64 limit = kSourceFileLimit);

// The bytes of a source file, refused as above. The file is opened without waiting for a
// writer and read no further than limit, whatever size it claims.
platform::Result<QByteArray> readSourceFile(const QString &path, qint64 limit = kSourceFileLimit);

} // namespace toolkit
