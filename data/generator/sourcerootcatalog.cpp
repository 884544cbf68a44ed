#include "data/generator/sourcerootcatalog.h"

#include "vbprog/murvel/core/formula.h"

SourceRootCatalog::SourceRootCatalog(const TableData &glyphs, const TableData *roots,
                                     const TableData *variantRoots, bool firstRecordOnly)
    : m_glyphs(glyphs), m_firstRecordOnly(firstRecordOnly), m_rootSequences(glyphs.rowCount())
{
    for (int row = 0; row < glyphs.rowCount(); ++row) {
        if (!glyphs.isNull(row, Fields::字形))
            m_rowsByGlyph[glyphs.text(row, Fields::字形)].append(row);
    }
    // A seek finds the first record of a key, so the first row of a root wins.
    for (int row = 0; variantRoots && row < variantRoots->rowCount(); ++row) {
        const QString root = variantRoots->text(row, Fields::字根);
        if (!root.isEmpty() && !m_variants.contains(root))
            m_variants.insert(root, variantRoots->text(row, Fields::異寫));
    }
    for (int row = 0; roots && row < roots->rowCount(); ++row) {
        const QString root = roots->text(row, Fields::字形);
        const auto number = roots->number(row, Fields::編號);
        if (!root.isEmpty() && number && !m_rootNumbers.contains(root))
            m_rootNumbers.insert(root, static_cast<qint32>(*number));
    }
}

QList<RootCatalog::Record> SourceRootCatalog::recordsOf(const QString &glyph) const
{
    QList<Record> records;
    QList<int> rows = m_rowsByGlyph.value(glyph);
    if (m_firstRecordOnly && !rows.isEmpty())
        rows.resize(1);
    for (int row : rows) {
        Record record;
        const auto face = m_glyphs.number(row, Fields::字體);
        if (m_firstRecordOnly)
            record.face = 0;
        else if (face)
            record.face = static_cast<int>(*face);
        record.kind = static_cast<int>(m_glyphs.number(row, Fields::連接符號).value_or(0));
        record.rootSequence = rootSequenceOf(row);
        records.append(record);
    }
    return records;
}

std::optional<QString> SourceRootCatalog::variantOf(const QString &root) const
{
    const auto found = m_variants.constFind(root);
    return found == m_variants.constEnd() ? std::nullopt : std::optional<QString>(*found);
}

std::optional<qint32> SourceRootCatalog::rootNumber(const QString &root) const
{
    const auto found = m_rootNumbers.constFind(root);
    return found == m_rootNumbers.constEnd() ? std::nullopt : std::optional<qint32>(*found);
}

QString SourceRootCatalog::rootSequenceOf(int row) const
{
    if (m_rootSequences[row])
        return *m_rootSequences[row];
    const qsizetype chainStart = m_inProgress.indexOf(row);
    if (chainStart >= 0) {
        if (!m_cycle) {
            m_cycle = m_inProgress.mid(chainStart);
            m_cycle->append(row);
        }
        return {};
    }
    const int kind = static_cast<int>(m_glyphs.number(row, Fields::連接符號).value_or(0));
    const QString components = m_glyphs.text(row, Fields::部件序);
    QString roots;
    if (kind == FormulaKinds::Root || kind == FormulaKinds::Symbol) {
        roots = components;
    } else {
        m_inProgress.append(row);
        roots = BuildRootSequence(*this, components).value_or(QString());
        m_inProgress.removeLast();
    }
    m_rootSequences[row] = roots;
    return roots;
}
