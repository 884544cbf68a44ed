#include "data/generator/glyphkeys.h"

#include "data/generator/sourcerootcatalog.h"

namespace
{

QString glyphLabel(const TableData &glyphs, int row)
{
    return glyphs.isNull(row, Fields::字形) ? glyphs.text(row, Fields::字碼)
                                            : glyphs.text(row, Fields::字形);
}

} // namespace

void DeriveSearchKeys(TableData &glyphs, const TableData *roots, const TableData *variantRoots,
                      bool firstRecordOnly, QList<SourceError> &errors)
{
    const SourceRootCatalog catalog(glyphs, roots, variantRoots, firstRecordOnly);
    QStringList sequences;
    for (int row = 0; row < glyphs.rowCount(); ++row) {
        sequences << catalog.rootSequenceOf(row);
        if (catalog.cycle()) {
            QStringList chain;
            for (int r : *catalog.cycle())
                chain << glyphLabel(glyphs, r);
            errors.append(glyphs.errorAt(catalog.cycle()->first(),
                                         QStringLiteral("cycle in the formulas: %1")
                                             .arg(chain.join(QStringLiteral(" → ")))));
            return;
        }
    }
    for (int row = 0; row < glyphs.rowCount(); ++row) {
        const QString &sequence = sequences[row];
        const QString set = SortComponentsByNumber(catalog, sequence);
        glyphs.setValue(row, Fields::字根序, sequence);
        glyphs.setValue(row, Fields::字根序二, ReplaceVariantRoots(catalog, sequence));
        glyphs.setValue(row, Fields::字根組, set);
        glyphs.setValue(row, Fields::字根組二,
                        SortComponentsByNumber(catalog, ReplaceVariantRoots(catalog, set)));
        glyphs.setValue(row, Fields::部件序二,
                        ReplaceVariantRoots(catalog, glyphs.text(row, Fields::部件序)));
    }
}
