#include "platform/office/package/storedarchive.h"

#include <QRandomGenerator>
#include <QtEndian>
#include <gtest/gtest.h>
#include <map>

using namespace office;

namespace
{

constexpr time_t Modified = 1700000000;

QByteArray picture(quint32 seed)
{
    // Runs of a few values, as a glyph bitmap has, so that deflate has work to do.
    QRandomGenerator random(seed);
    QByteArray bytes;
    while (bytes.size() < 20000)
        bytes += QByteArray(int(random.bounded(1, 40)), char(random.bounded(17)));
    return bytes;
}

ArchiveEntry entry(const QString &name, const QByteArray &data, bool deflate = true)
{
    return {name, data, -1, deflate, Modified};
}

// Each entry's local record (header, name, extra field and data as stored), by name.
std::map<QString, QByteArray> localRecords(const QByteArray &zip)
{
    std::map<QString, QByteArray> records;
    qsizetype at = 0;
    while (at + 30 <= zip.size() && zip.mid(at, 4) == "PK\x03\x04") {
        const auto *header = reinterpret_cast<const uchar *>(zip.constData() + at);
        const quint32 stored = qFromLittleEndian<quint32>(header + 18);
        const quint16 nameLength = qFromLittleEndian<quint16>(header + 26);
        const quint16 extraLength = qFromLittleEndian<quint16>(header + 28);
        const qsizetype length = 30 + nameLength + extraLength + qsizetype(stored);
        records[QString::fromUtf8(zip.mid(at + 30, nameLength))] = zip.mid(at, length);
        at += length;
    }
    return records;
}

} // namespace

TEST(WriteArchive, EntriesOfEqualBytesAreWrittenAsEachWouldBeAlone)
{
    const QByteArray glyph = picture(1);
    const std::vector<ArchiveEntry> entries = {
        entry("word/document.xml", "<w:document>" + QByteArray(4000, 'x') + "</w:document>"),
        entry("word/media/image1.bmp", glyph),
        entry("word/media/image2.bmp", picture(2)),
        entry("word/media/image3.bmp", glyph),
        entry("word/media/image4.bmp", glyph, false),
        entry("word/media/image5.bmp", picture(2))};
    const auto written = WriteArchive(entries, nullptr);
    ASSERT_TRUE(written.ok()) << written.errorString().toStdString();
    const QByteArray &together = written.value();
    const std::map<QString, QByteArray> records = localRecords(together);
    ASSERT_EQ(records.size(), entries.size());

    for (const ArchiveEntry &one : entries) {
        SCOPED_TRACE(one.name.toStdString());
        const QByteArray alone = WriteArchive({one}, nullptr).value();
        ASSERT_FALSE(alone.isEmpty());
        const QByteArray record = localRecords(alone).at(one.name);
        EXPECT_EQ(records.at(one.name), record);
        EXPECT_EQ(record.size() < one.data.size(), one.deflate);
    }

    int code = 0;
    const std::unique_ptr<StoredArchive> read = StoredArchive::open(together, ZIP_RDONLY, &code);
    ASSERT_TRUE(read);
    for (zip_int64_t i = 0; i < zip_int64_t(entries.size()); ++i) {
        zip_file_t *file = zip_fopen_index(read->handle(), zip_uint64_t(i), 0);
        ASSERT_NE(file, nullptr);
        QByteArray data(entries[size_t(i)].data.size() + 1, '\0');
        data.resize(qsizetype(zip_fread(file, data.data(), zip_uint64_t(data.size()))));
        zip_fclose(file);
        EXPECT_EQ(data, entries[size_t(i)].data) << i;
    }
}

TEST(WriteArchive, AnArchiveThatCannotBeMadeIsSaidInTheEnginesWords)
{
    const QByteArray one = WriteArchive({entry("a", "1")}, nullptr).value();
    int code = 0;
    const std::unique_ptr<StoredArchive> stored = StoredArchive::open(one, ZIP_RDONLY, &code);
    ASSERT_TRUE(stored);
    // Each with libzip's reason in the engines' words.
    const std::vector<std::pair<std::vector<ArchiveEntry>, std::string>> unmakeable = {
        {{entry("a", "1"), entry("a", "2")},
         "無法組成文件的壓縮檔（文件中同一個部分出現了兩次，檔案已損毀）"},
        {{{"b", {}, 1, true, Modified}, entry("c", "3")}, // no such stored entry
         "無法組成文件的壓縮檔（檔案不完整或已損毀）"}};
    for (const auto &[entries, said] : unmakeable) {
        const auto written = WriteArchive(entries, stored.get());
        EXPECT_FALSE(written.ok());
        EXPECT_EQ(written.errorString().toStdString(), said);
    }
}
