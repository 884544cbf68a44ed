// The profile file on any file: reading never fails on content, and setting one key then
// saving and reading again gives that key its value and leaves every other key as it was.
#include "fuzzsupport.h"
#include "platform/profile/profilefile.h"

#include <QFile>
#include <QList>
#include <QTemporaryDir>

namespace
{

struct Entry {
    QString section;
    QString key;
    std::optional<QString> value;
};

QString g_path;

// The section and key names that the file seems to hold, found by a rough scan of its lines.
QList<Entry> entriesOf(const profile::ProfileFile &file, const QByteArray &bytes)
{
    QList<Entry> entries;
    QString section;
    for (const QByteArray &line : bytes.split('\n')) {
        const QString text = QString::fromUtf8(line).trimmed();
        if (text.startsWith(u'[') && text.contains(u']')) {
            section = text.mid(1, text.indexOf(u']') - 1).trimmed();
        } else if (const qsizetype equals = text.indexOf(u'='); equals > 0) {
            const QString key = text.left(equals).trimmed();
            entries.append({section, key, file.value(section, key)});
        }
    }
    return entries;
}

bool sameName(const Entry &a, const Entry &b)
{
    return a.section.compare(b.section, Qt::CaseInsensitive) == 0 &&
           a.key.compare(b.key, Qt::CaseInsensitive) == 0;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    static QTemporaryDir folder(fuzz::ScratchTemplate());
    g_path = folder.filePath(QStringLiteral("murvel.ini"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QFile out(g_path);
        fuzz::Check(out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                        out.write(bytes) == bytes.size(),
                    "the input file is written");
    }
    profile::ProfileFile file(g_path);
    fuzz::Check(file.load(), "any content loads", QString::fromUtf8(bytes));

    const QList<Entry> before = entriesOf(file, bytes);
    for (const Entry &entry : before) {
        file.stringValue(entry.section, entry.key, QStringLiteral("-"), 1 + int(size % 64));
        file.intValue(entry.section, entry.key, -1);
    }

    Entry changed = before.isEmpty() ? Entry{QStringLiteral("異體字表"), QStringLiteral("open"), {}}
                                     : before[qsizetype(size % size_t(before.size()))];
    changed.value = QStringLiteral("新值 ") + QString::number(size);
    if (!file.setValue(changed.section, changed.key, *changed.value))
        return 0; // names that would not read back are refused
    fuzz::Check(file.save(), "a file in a writable folder saves", file.errorString());

    profile::ProfileFile reread(g_path);
    fuzz::Check(reread.load(), "the saved file loads");
    fuzz::Check(reread.value(changed.section, changed.key) == changed.value,
                "the key set reads back", changed.section + u'/' + changed.key);
    for (const Entry &entry : before) {
        if (!sameName(entry, changed)) {
            fuzz::Check(reread.value(entry.section, entry.key) == entry.value,
                        "every other key keeps its value", entry.section + u'/' + entry.key);
        }
    }
    return 0;
}
