#include "data/generator/glyphformulas.h"

#include "data/generator/sourcereader.h"
#include "vbprog/murvel/core/formula.h"

void DeriveStoredFormulas(TableData &glyphs, QList<SourceError> &errors)
{
    for (int row = 0; row < glyphs.rowCount(); ++row) {
        if (glyphs.isNull(row, Fields::字碼))
            glyphs.setValue(row, Fields::字碼, glyphs.value(row, Fields::字形));
        if (glyphs.isNull(row, Fields::字碼)) {
            errors.append(glyphs.errorAt(row, QStringLiteral("a record needs 字形 or 字碼")));
            continue;
        }
        if (glyphs.isNull(row, Fields::字體))
            glyphs.setValue(row, Fields::字體, qlonglong(0));

        const QString formula = glyphs.input(row, InputColumns::Formula);
        if (formula.isEmpty()) {
            if (glyphs.isNull(row, Fields::連接符號))
                glyphs.setValue(row, Fields::連接符號, qlonglong(FormulaKinds::Root));
            glyphs.setValue(row, Fields::部件序, glyphs.value(row, Fields::字碼));
            continue;
        }
        if (!glyphs.isNull(row, Fields::連接符號)) {
            errors.append(glyphs.errorAt(
                row, QStringLiteral("連接符號 is derived from @構字式; leave it empty")));
            continue;
        }
        const FormulaKey key = FormulaKeyOf(formula);
        if (key.components.isEmpty()) {
            errors.append(glyphs.errorAt(
                row, QStringLiteral("formula \"%1\" has no component").arg(formula)));
            continue;
        }
        glyphs.setValue(row, Fields::連接符號, qlonglong(key.kind));
        glyphs.setValue(row, Fields::部件序, key.components);
    }
}
