#include "platform/office/package/storedarchive.h"

#include <QHash>
#include <QtEndian>
#include <cstring>
#include <functional>

namespace office
{

std::unique_ptr<StoredArchive> StoredArchive::open(QByteArray bytes, zip_flags_t flags,
                                                   int *zipError)
{
    std::unique_ptr<StoredArchive> stored(new StoredArchive(std::move(bytes)));
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source = zip_source_buffer_create(
        stored->m_bytes.constData(), zip_uint64_t(stored->m_bytes.size()), 0, &error);
    if (source != nullptr) {
        stored->m_archive = zip_open_from_source(source, int(flags), &error);
        if (stored->m_archive == nullptr)
            zip_source_free(source);
    }
    *zipError = zip_error_code_zip(&error);
    zip_error_fini(&error);
    return stored->m_archive != nullptr ? std::move(stored) : nullptr;
}

std::vector<QByteArray> StoredArchive::storedNames() const
{
    const auto fits = [this](quint64 offset, quint64 length) {
        return offset <= quint64(m_bytes.size()) && length <= quint64(m_bytes.size()) - offset;
    };
    const auto at = [this](quint64 offset) { return m_bytes.constData() + offset; };
    // The end record: 22 bytes and a comment of up to 65535, the last one found.
    constexpr qsizetype endSize = 22;
    const qsizetype end = m_bytes.lastIndexOf("PK\x05\x06");
    if (end < 0 || !fits(quint64(end), endSize) || m_bytes.size() - end > endSize + 0xffff)
        return {};
    // A ZIP64 archive may give the directory's place only in a record of its own (0xffffffff
    // here): such a directory is not walked.
    quint64 header = qFromLittleEndian<quint32>(at(quint64(end) + 16));
    const zip_int64_t count = zip_get_num_entries(m_archive, 0);
    std::vector<QByteArray> names;
    names.reserve(size_t(std::max<zip_int64_t>(count, 0)));
    for (zip_int64_t i = 0; i < count; ++i) {
        constexpr quint64 headerSize = 46;
        if (!fits(header, headerSize) || std::memcmp(at(header), "PK\x01\x02", 4) != 0)
            return {};
        const quint16 nameLength = qFromLittleEndian<quint16>(at(header + 28));
        const quint64 length = headerSize + nameLength +
                               qFromLittleEndian<quint16>(at(header + 30)) +
                               qFromLittleEndian<quint16>(at(header + 32));
        if (!fits(header, length))
            return {};
        names.emplace_back(at(header + headerSize), nameLength);
        header += length;
    }
    return names;
}

StoredArchive::~StoredArchive()
{
    if (m_archive != nullptr)
        zip_discard(m_archive);
}

QString zipFailureText(int code)
{
    switch (code) {
    case ZIP_ER_NOZIP:
        return QStringLiteral("這不是 Office 文件");
    case ZIP_ER_EXISTS:
        return QStringLiteral("文件中同一個部分出現了兩次，檔案已損毀");
    case ZIP_ER_MEMORY:
        return QStringLiteral("記憶體不足");
    case ZIP_ER_OPEN:
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
        return QStringLiteral("無法讀取這個檔案");
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPNOTSUPP:
        return QStringLiteral("無法壓縮文件的內容");
    default:
        return QStringLiteral("檔案不完整或已損毀");
    }
}

namespace
{

using Zipped = platform::Result<QByteArray>;

// The source of an entry's data in the archive being written.
using SourceOf = std::function<zip_source_t *(zip_t *archive, size_t entry)>;

// What failed, with libzip's reason in the engines' words.
Zipped cannotAssemble(int zipCode)
{
    return Zipped::failure(
        QStringLiteral("無法組成文件的壓縮檔（%1）").arg(zipFailureText(zipCode)));
}

Zipped assemble(const std::vector<ArchiveEntry> &entries, const SourceOf &sourceOf)
{
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t *buffer = zip_source_buffer_create(nullptr, 0, 0, &zipError);
    zip_t *archive =
        buffer != nullptr ? zip_open_from_source(buffer, ZIP_TRUNCATE, &zipError) : nullptr;
    const int openCode = zip_error_code_zip(&zipError);
    zip_error_fini(&zipError);
    if (archive == nullptr) {
        if (buffer != nullptr)
            zip_source_free(buffer);
        return cannotAssemble(openCode);
    }
    // The buffer is read after the archive is closed, which would free it.
    zip_source_keep(buffer);
    std::unique_ptr<zip_source_t, void (*)(zip_source_t *)> bufferOwner(buffer, zip_source_free);

    auto fail = [&]() {
        const int code = zip_error_code_zip(zip_get_error(archive));
        zip_discard(archive);
        return cannotAssemble(code);
    };
    // libzip reads the entries' data when the archive is closed: entries outlives that.
    for (size_t i = 0; i < entries.size(); ++i) {
        const ArchiveEntry &entry = entries[i];
        zip_source_t *source = sourceOf(archive, i);
        const QByteArray name = entry.name.toUtf8();
        const zip_int64_t index =
            source != nullptr ? zip_file_add(archive, name.constData(), source, ZIP_FL_ENC_UTF_8)
                              : -1;
        if (index < 0) {
            if (source != nullptr)
                zip_source_free(source);
            return fail();
        }
        const zip_int32_t method = entry.deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE;
        if (zip_set_file_compression(archive, zip_uint64_t(index), method,
                                     entry.deflate ? SaveDeflateLevel : 0) != 0 ||
            zip_file_set_mtime(archive, zip_uint64_t(index), entry.modified, 0) != 0)
            return fail();
    }
    if (zip_close(archive) != 0)
        return fail();

    QByteArray zipped;
    if (zip_source_open(buffer) == 0) {
        zip_source_seek(buffer, 0, SEEK_END);
        const zip_int64_t size = zip_source_tell(buffer);
        zip_source_seek(buffer, 0, SEEK_SET);
        zipped.resize(qsizetype(size));
        if (zip_source_read(buffer, zipped.data(), zip_uint64_t(size)) != size)
            zipped.clear();
        zip_source_close(buffer);
    }
    if (zipped.isEmpty())
        return cannotAssemble(ZIP_ER_READ);
    return zipped;
}

// A whole entry of another archive is read as it is stored, and written so when its
// compression stays the same.
zip_source_t *copyOf(zip_t *archive, const StoredArchive &from, zip_int64_t index)
{
    return zip_source_zip(archive, from.handle(), zip_uint64_t(index), 0, 0, 0);
}

zip_source_t *bytesOf(zip_t *archive, const ArchiveEntry &entry)
{
    return zip_source_buffer(archive, entry.data.constData(), zip_uint64_t(entry.data.size()), 0);
}

} // namespace

Zipped WriteArchive(const std::vector<ArchiveEntry> &entries, const StoredArchive *stored)
{
    auto stays = [&](const ArchiveEntry &entry) { return entry.storedIndex >= 0 && stored; };
    auto deflated = [&](const ArchiveEntry &entry) { return !stays(entry) && entry.deflate; };
    // A document's pictures repeat one another: bytes that more than one entry holds are
    // deflated once, into an archive of their own, and each of those entries copies them
    // from there as they were compressed, which writes them as deflating each would.
    QHash<QByteArray, int> holders;
    for (const ArchiveEntry &entry : entries) {
        if (deflated(entry))
            ++holders[entry.data];
    }
    std::vector<ArchiveEntry> repeated;
    QHash<QByteArray, zip_int64_t> onceAt;
    for (const ArchiveEntry &entry : entries) {
        if (deflated(entry) && holders.value(entry.data) > 1 && !onceAt.contains(entry.data)) {
            onceAt.insert(entry.data, zip_int64_t(repeated.size()));
            repeated.push_back({QString::number(repeated.size()), entry.data, -1, true, 0});
        }
    }
    std::unique_ptr<StoredArchive> once;
    if (!repeated.empty()) {
        Zipped zipped = assemble(
            repeated, [&](zip_t *archive, size_t i) { return bytesOf(archive, repeated[i]); });
        if (!zipped.ok())
            return zipped;
        int code = 0;
        once = StoredArchive::open(std::move(zipped.value()), ZIP_RDONLY, &code);
        if (!once)
            return cannotAssemble(code);
    }
    return assemble(entries, [&](zip_t *archive, size_t i) {
        const ArchiveEntry &entry = entries[i];
        if (stays(entry))
            return copyOf(archive, *stored, entry.storedIndex);
        if (const auto at = onceAt.constFind(entry.data); deflated(entry) && at != onceAt.cend())
            return copyOf(archive, *once, *at);
        return bytesOf(archive, entry);
    });
}

} // namespace office
