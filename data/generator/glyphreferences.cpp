#include "data/generator/glyphreferences.h"

#include "data/generator/sourcereader.h"
#include "vbprog/murvel/schema/databaseschema.h"

GlyphReferences::GlyphReferences(const TableData &glyphs)
{
    // The first row of a key wins, as a reference names the first record in file order.
    auto keepFirst = [](auto &hash, const auto &key, int row) {
        if (!hash.contains(key))
            hash.insert(key, row);
    };
    for (int row = 0; row < glyphs.rowCount(); ++row) {
        if (!glyphs.isNull(row, Fields::字形))
            keepFirst(m_byGlyph, glyphs.text(row, Fields::字形), row);
        keepFirst(m_byCode, glyphs.text(row, Fields::字碼), row);
        if (const auto number = glyphs.number(row, Fields::編號))
            keepFirst(m_byNumber, *number, row);
    }
}

int GlyphReferences::rowOf(const QString &reference) const
{
    if (reference.size() > 1 && reference.startsWith(u'#')) {
        bool ok = false;
        const qint64 number = reference.mid(1).toLongLong(&ok);
        return ok ? m_byNumber.value(number, -1) : -1;
    }
    if (const auto found = m_byGlyph.constFind(reference); found != m_byGlyph.constEnd())
        return *found;
    return m_byCode.value(reference, -1);
}

namespace
{

// Writes the 編號 that the reference in column input names into field of each row.
// Returns, per row, the referenced row (-1 where the cell is empty or fails).
QList<int> resolveColumn(TableData &table, const QString &input, const QString &field,
                         const TableData &glyphs, const GlyphReferences &references,
                         const QString &databaseName, QList<SourceError> &errors)
{
    QList<int> targets(table.rowCount(), -1);
    for (int row = 0; row < table.rowCount(); ++row) {
        const QString reference = table.input(row, input);
        if (reference.isEmpty())
            continue;
        const int target = references.rowOf(reference);
        if (target < 0) {
            errors.append(table.errorAt(row, QStringLiteral("%1 \"%2\": %3 has no such glyph")
                                                 .arg(input, reference, databaseName)));
            continue;
        }
        targets[row] = target;
        table.setValue(row, field, glyphs.value(target, Fields::編號));
    }
    return targets;
}

} // namespace

void ResolveNumberReferences(DatabaseData &database, QList<SourceError> &errors)
{
    const TableData *glyphs = database.table(Tables::檢字表);
    if (!glyphs)
        return;
    const GlyphReferences references(*glyphs);
    for (TableData &table : database.tables) {
        if (table.def->name == Tables::異體字表 || table.def->name == Tables::異體字根)
            resolveColumn(table, InputColumns::Number, Fields::編號, *glyphs, references,
                          database.def->name, errors);
    }
}

void LinkAncientScript(DatabaseData &ancient, DatabaseData *regular, QList<SourceError> &errors)
{
    TableData *regularGlyphs = regular ? regular->table(Tables::檢字表) : nullptr;
    if (!regularGlyphs) {
        for (const TableData &table : ancient.tables) {
            for (int row = 0; row < table.rowCount(); ++row) {
                if (!table.input(row, InputColumns::Regular).isEmpty()) {
                    errors.append(table.errorAt(
                        row, QStringLiteral("%1 needs the regular-script sources (murvel)")
                                 .arg(InputColumns::Regular)));
                    return;
                }
            }
        }
        return;
    }
    const ScriptLink *link = nullptr;
    for (const ScriptLink &l : ScriptLinks()) {
        if (l.database == ancient.def->name)
            link = &l;
    }
    const GlyphReferences references(*regularGlyphs);
    for (TableData &table : ancient.tables) {
        if (!table.def->hasField(Fields::楷書編號))
            continue;
        const QList<int> targets =
            resolveColumn(table, InputColumns::Regular, Fields::楷書編號, *regularGlyphs,
                          references, DatabaseNames::Regular, errors);
        if (table.def->name != Tables::檢字表 || !link)
            continue;
        for (int row = 0; row < table.rowCount(); ++row) {
            const int target = targets[row];
            if (target < 0)
                continue;
            if (regularGlyphs->isNull(target, link->numberField)) {
                regularGlyphs->setValue(target, link->numberField, table.value(row, Fields::編號));
                if (regularGlyphs->isNull(target, link->textField))
                    regularGlyphs->setValue(target, link->textField,
                                            table.value(row, Fields::字碼));
            }
            for (const QString &flag : {Fields::常用字, Fields::簡化字, Fields::漢語大字典}) {
                if (table.isNull(row, flag))
                    table.setValue(row, flag, regularGlyphs->value(target, flag));
            }
        }
    }
}
