#include "tests/support/zipfile.h"

#include <QFile>
#include <zip.h>

namespace testsupport
{

bool writeZip(const QString &path, const ZipEntries &entries)
{
    int code = 0;
    zip_t *archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive)
        return false;
    for (const auto &[name, data] : entries) {
        zip_source_t *source = zip_source_buffer(archive, data.constData(), data.size(), 0);
        if (!source ||
            zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            zip_discard(archive);
            return false;
        }
    }
    return zip_close(archive) == 0;
}

ZipEntries readZip(const QString &path)
{
    ZipEntries entries;
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (!archive)
        return entries;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, i, 0, &stat);
        QByteArray data(qsizetype(stat.size), '\0');
        zip_file_t *file = zip_fopen_index(archive, i, 0);
        if (!file || zip_fread(file, data.data(), stat.size) != zip_int64_t(stat.size)) {
            if (file)
                zip_fclose(file);
            zip_discard(archive);
            return {};
        }
        zip_fclose(file);
        entries.append({QString::fromUtf8(stat.name), data});
    }
    zip_discard(archive);
    return entries;
}

QByteArray zipEntry(const QString &path, const QString &name)
{
    for (const auto &[entryName, data] : readZip(path)) {
        if (entryName == name)
            return data;
    }
    return {};
}

ZipEntries declaringEntity(ZipEntries entries, const QString &part)
{
    for (auto &[name, data] : entries) {
        if (name != part)
            continue;
        const qsizetype declarationEnd = data.startsWith("<?xml") ? data.indexOf("?>") + 2 : 0;
        data.insert(declarationEnd, "<!DOCTYPE x [<!ENTITY e \"說\">]>");
    }
    return entries;
}

} // namespace testsupport
