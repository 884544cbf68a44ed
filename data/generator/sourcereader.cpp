#include "data/generator/sourcereader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace
{

const QString kOmitTablesFile = QStringLiteral("omit-tables");

// The input columns a table accepts.
QStringList inputColumnsOf(const DatabaseDef &database, const TableDef &table)
{
    QStringList inputs;
    if (table.name == Tables::檢字表 && IsScriptDatabase(database.name))
        inputs << InputColumns::Formula;
    if (table.hasField(Fields::楷書編號))
        inputs << InputColumns::Regular;
    if (table.name == Tables::異體字表 || table.name == Tables::異體字根)
        inputs << InputColumns::Number;
    return inputs;
}

// A text file read whole, handed out line by line without the line ends, so that only the
// line at hand is decoded.
class SourceLines
{
public:
    explicit SourceLines(const QString &path)
    {
        QFile file(path);
        m_readable = file.open(QIODevice::ReadOnly);
        if (m_readable)
            m_bytes = file.readAll();
    }

    bool isReadable() const { return m_readable; }
    qsizetype byteCount() const { return m_bytes.size(); }
    qsizetype lineCount() const { return m_bytes.count('\n') + 1; }

    // The next line; false past the last.
    bool next(QString &line)
    {
        if (m_at > m_bytes.size())
            return false;
        qsizetype end = m_bytes.indexOf('\n', m_at);
        if (end < 0)
            end = m_bytes.size();
        line = QString::fromUtf8(QByteArrayView(m_bytes).sliced(m_at, end - m_at));
        if (line.endsWith(u'\r'))
            line.chop(1);
        m_at = end + 1;
        return true;
    }

private:
    bool m_readable = false;
    QByteArray m_bytes;
    qsizetype m_at = 0;
};

bool isSkipped(const QString &line)
{
    return line.isEmpty() || line.startsWith(u'#');
}

QSet<QString> readOmittedTables(const QString &folder)
{
    QSet<QString> omitted;
    SourceLines lines(QDir(folder).filePath(kOmitTablesFile));
    for (QString line; lines.next(line);) {
        if (!isSkipped(line.trimmed()))
            omitted.insert(line.trimmed());
    }
    return omitted;
}

QVariant convertCell(const QString &cell, FieldType type, bool *ok)
{
    *ok = true;
    if (cell.isEmpty())
        return {};
    if (type == FieldType::Text)
        return DecodeCell(cell);
    const qlonglong number = cell.toLongLong(ok);
    return *ok ? QVariant(number) : QVariant();
}

void readTable(const DatabaseDef &database, const QString &path, TableData &table,
               QList<SourceError> &errors)
{
    SourceLines lines(path);
    if (!lines.isReadable()) {
        errors.append({path, 0, QStringLiteral("cannot be read")});
        return;
    }
    // A file holds no more rows than lines, nor more code units of text than bytes.
    table.cells.reserve(lines.lineCount(), lines.byteCount());
    const QStringList inputs = inputColumnsOf(database, *table.def);
    QStringList header;
    int headerLine = 0;
    bool headerValid = true;
    int lineNumber = 0;
    for (QString line; lines.next(line);) {
        ++lineNumber;
        if (isSkipped(line))
            continue;
        const QStringList cells = line.split(u'\t');
        if (header.isEmpty()) {
            header = cells;
            headerLine = lineNumber;
            for (const QString &column : header) {
                if (inputs.contains(column))
                    continue;
                if (!table.def->hasField(column)) {
                    errors.append({path, lineNumber,
                                   QStringLiteral("unknown column \"%1\" in table %2")
                                       .arg(column, table.def->name)});
                    headerValid = false;
                } else if (IsDerivedField(database, *table.def, column)) {
                    errors.append(
                        {path, lineNumber,
                         QStringLiteral("column \"%1\" is derived by the generator").arg(column)});
                    headerValid = false;
                }
            }
            if (header.size() != QSet<QString>(header.begin(), header.end()).size()) {
                errors.append({path, lineNumber, QStringLiteral("a column is named twice")});
                headerValid = false;
            }
            continue;
        }
        if (!headerValid)
            return;
        if (cells.size() > header.size()) {
            errors.append({path, lineNumber,
                           QStringLiteral("%1 cells but %2 columns (header on line %3)")
                               .arg(cells.size())
                               .arg(header.size())
                               .arg(headerLine)});
            continue;
        }
        const int row = table.cells.appendRow(lineNumber);
        for (qsizetype c = 0; c < cells.size(); ++c) {
            const QString &column = header[c];
            const int field = table.def->fieldIndex(column);
            if (field < 0) {
                table.cells.setInput(row, column, DecodeCell(cells[c]));
                continue;
            }
            bool ok = false;
            table.cells.setValue(row, field,
                                 convertCell(cells[c], table.def->fields[field].type, &ok));
            if (!ok)
                errors.append({path, lineNumber,
                               QStringLiteral("%1 \"%2\" is not a number").arg(column, cells[c])});
        }
    }
}

} // namespace

bool IsDerivedField(const DatabaseDef &database, const TableDef &table, const QString &field)
{
    static const QSet<QString> glyphDerived = {
        Fields::部件序,       Fields::部件序二,       Fields::字根序,
        Fields::字根序二,     Fields::字根組,         Fields::字根組二,
        Fields::組字字數,     Fields::組字字數二,     Fields::組字字數常用字,
        Fields::組字字數Big5, Fields::組字字數簡化字, Fields::組字字數漢語大字典,
        Fields::部首筆畫排序, Fields::BIG5,           Fields::Unicode,
        Fields::小篆編號,     Fields::金文編號,       Fields::甲骨文編號,
        Fields::楚系文字編號, Fields::楷書編號,
    };
    return IsScriptDatabase(database.name) && table.name == Tables::檢字表 &&
           glyphDerived.contains(field);
}

QString DecodeCell(const QString &cell)
{
    QString decoded;
    decoded.reserve(cell.size());
    for (qsizetype i = 0; i < cell.size(); ++i) {
        if (cell[i] == u'\\' && i + 5 < cell.size() && cell[i + 1] == u'u') {
            bool ok = false;
            const ushort unit = cell.mid(i + 2, 4).toUShort(&ok, 16);
            if (ok) {
                decoded += QChar(unit);
                i += 5;
                continue;
            }
        }
        decoded += cell[i];
    }
    return decoded;
}

DatabaseData ReadDatabaseSources(const QString &folder, const DatabaseDef &database,
                                 QList<SourceError> &errors)
{
    const QDir dir(folder);
    const QSet<QString> omitted = readOmittedTables(folder);
    QSet<QString> known;
    DatabaseData data;
    data.def = &database;
    for (const TableDef &def : database.tables) {
        known.insert(def.name);
        if (omitted.contains(def.name))
            continue;
        TableData table(def);
        const QString path = dir.filePath(def.name + ".tsv");
        if (QFile::exists(path)) {
            table.file = path;
            readTable(database, path, table, errors);
        }
        data.tables.append(std::move(table));
    }
    for (const QString &name : omitted) {
        if (!known.contains(name))
            errors.append({dir.filePath(kOmitTablesFile), 0,
                           QStringLiteral("unknown table \"%1\"").arg(name)});
    }
    const QStringList files = dir.entryList({"*.tsv"}, QDir::Files);
    for (const QString &file : files) {
        if (!known.contains(QFileInfo(file).completeBaseName()))
            errors.append({dir.filePath(file), 0,
                           QStringLiteral("database %1 has no such table").arg(database.name)});
    }
    return data;
}
