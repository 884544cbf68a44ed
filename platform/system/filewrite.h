#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace sys
{

// Why a file could not be replaced: the step that failed, whether the disk was full, and
// the system's words for it.
struct ReplaceFailure {
    enum class Step { Create, Write, Rename };
    Step step = Step::Create;
    bool diskFull = false;
    QString reason;
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

} // namespace sys
