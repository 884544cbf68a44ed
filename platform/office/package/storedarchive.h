#pragma once

#include "platform/common/result.h"

#include <QByteArray>
#include <QString>
#include <ctime>
#include <memory>
#include <vector>
#include <zip.h>

namespace office
{

// A zip archive held in memory and open for reading, so that a save can copy its entries
// compressed as they are stored instead of inflating and deflating them again.
class StoredArchive
{
public:
    // nullptr when bytes are no sound zip; *zipError is then libzip's error code.
    static std::unique_ptr<StoredArchive> open(QByteArray bytes, zip_flags_t flags, int *zipError);
    ~StoredArchive();
    StoredArchive(const StoredArchive &) = delete;
    StoredArchive &operator=(const StoredArchive &) = delete;

    zip_t *handle() const { return m_archive; }
    // The names of the entries, in their order, as the archive's central directory stores
    // them: libzip gives a name only up to a NUL it holds. Empty when the directory is not
    // where the archive's end record says (or in a ZIP64 record) or is not as long as libzip
    // counts it.
    std::vector<QByteArray> storedNames() const;

private:
    explicit StoredArchive(QByteArray bytes) : m_bytes(std::move(bytes)) {}

    QByteArray m_bytes;         // read by m_archive, so it lives as long
    zip_t *m_archive = nullptr; // owned
};

// One entry of an archive to write: its bytes, or where a stored archive holds them.
struct ArchiveEntry {
    QString name;
    QByteArray data;              // when storedIndex < 0
    zip_int64_t storedIndex = -1; // the entry of the stored archive copied as it is
    bool deflate = true;          // or stored without compression
    time_t modified = 0;
};

// The deflate level of the entries a save compresses: the fastest. A save is what the user
// waits for; the 1.4 MB main part of a 200-page document deflates in 11 ms at level 1, 15 ms
// at 3 and 50 ms at 6 (libzip's default, 9: 93 ms), glyph bitmaps in a third of level 6's
// time, for files 15 to 20 % larger than level 6 makes.
constexpr zip_uint32_t SaveDeflateLevel = 1;

// libzip's reason for a failure (a ZIP_ER_ code), in the system's words.
QString zipFailureText(int code);

// A zip of entries, in their order; the failure says that it cannot be made, and libzip's
// reason. stored may be nullptr when no entry names one of its entries.
platform::Result<QByteArray> WriteArchive(const std::vector<ArchiveEntry> &entries,
                                          const StoredArchive *stored);

} // namespace office
