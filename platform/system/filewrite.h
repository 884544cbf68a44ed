#pragma once

#include <QByteArrayView>
#include <QString>

namespace sys
{

// Replaces the file's contents with `data`: writes a temporary file in the same folder,
// checks that every byte was written and renames it over the old file. On any failure
// (a full disk, a folder without write access) the old file stays as it was, the
// temporary file is removed and, when `error` is given, it says why.
bool replaceFile(const QString &path, QByteArrayView data, QString *error = nullptr);

} // namespace sys
