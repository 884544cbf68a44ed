#include "vbprog/toolkit/batchfolder.h"

#include <QFile>
#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace toolkit
{

namespace
{

bool isSpellable(const QByteArray &name)
{
    return QFile::encodeName(QFile::decodeName(name)) == name;
}

// The name as text, each byte that starts no valid UTF-8 sequence written as \xHH.
QString escapedName(const QByteArray &name)
{
    QString text;
    for (qsizetype at = 0; at < name.size();) {
        const auto lead = uchar(name.at(at));
        const qsizetype length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        const QByteArray piece = name.mid(at, length);
        if (piece.size() == length && isSpellable(piece)) {
            text += QFile::decodeName(piece);
            at += length;
        } else {
            text += QStringLiteral("\\x") + QString::number(lead, 16).toUpper();
            ++at;
        }
    }
    return text;
}

} // namespace

BatchFolder listBatchFolder(const QString &folder)
{
    BatchFolder listing;
    DIR *directory = ::opendir(QFile::encodeName(folder).constData());
    if (directory == nullptr)
        return listing;
    QList<QByteArray> unreadable;
    while (const dirent *entry = ::readdir(directory)) {
        const QByteArray name(entry->d_name);
        struct stat status;
        // Hidden files start with a dot, as do the folder and its parent.
        if (name.startsWith('.') || ::fstatat(::dirfd(directory), entry->d_name, &status, 0) != 0 ||
            !S_ISREG(status.st_mode))
            continue;
        if (isSpellable(name))
            listing.files.append(QFile::decodeName(name));
        else
            unreadable.append(name);
    }
    ::closedir(directory);
    std::sort(listing.files.begin(), listing.files.end());
    std::sort(unreadable.begin(), unreadable.end());
    for (const QByteArray &name : unreadable)
        listing.unreadableNames.append(escapedName(name));
    return listing;
}

} // namespace toolkit
