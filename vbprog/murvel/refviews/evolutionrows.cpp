#include "vbprog/murvel/refviews/evolutionrows.h"

#include "vbprog/murvel/core/recordfields.h"
#include "vbprog/murvel/core/scripttables.h"
#include "vbprog/murvel/core/typefacenames.h"
#include "vbprog/murvel/schema/schemanames.h"

namespace
{

const QString &SealVariantFace = Faces::SealVariant;
const QString &SourceFace = Faces::Kai;

struct ScriptOfView {
    EvolutionForm::Script script;
    ScriptId id;        // its glyphs' face, its table and the regular record's link field
    QString optionItem; // of the main window's 字形演變 options
    QStringList sourceFields;

    const Script &data() const { return ScriptOf(id); }
};

// The scripts in the order of the list.
const ScriptOfView ViewScripts[] = {
    {EvolutionForm::OracleBone, ScriptId::OracleBone, "mnu_甲骨文選項", {}},
    {EvolutionForm::Bronze, ScriptId::Bronze, "mnu_金文選項", {Fields::集成器名, Fields::器名缺字}},
    {EvolutionForm::Chu, ScriptId::Chu, "mnu_楚系文字選項", {Fields::出處}},
    {EvolutionForm::SmallSeal, ScriptId::SmallSeal, "mnu_小篆選項", {Fields::字源}},
};

ReferenceRow sourceRow(const QString &text, int parent)
{
    ReferenceRow row;
    row.text = text;
    row.parent = parent;
    row.fontSize = ReferenceRow::LabelSize;
    row.flag = 3;
    return row;
}

// The source row under a form's row; none for an empty source text.
std::optional<ReferenceRow> sourceOf(const EvolutionForm &form, int parent,
                                     const std::function<QString(const QString &)> &toRtf)
{
    const RecordFields &record = form.record;
    switch (form.script) {
    case EvolutionForm::OracleBone: {
        ReferenceRow row = sourceRow("甲骨刻辭類纂", parent);
        row.fontName = SourceFace;
        return row;
    }
    case EvolutionForm::Bronze: {
        const QString name = record.value(Fields::集成器名).toString();
        if (name.isEmpty())
            return std::nullopt;
        ReferenceRow row = sourceRow(name, parent);
        if (Int32Field(record.value(Fields::器名缺字)) == 1) {
            // Its missing characters are formulas, drawn as glyphs; the copy tag keeps the
            // plain name, from which the font bar draws it again.
            row.text = toRtf(name);
            row.richText = true;
            row.flag = QStringLiteral("2") + name;
            // The list keeps its own typeface, so the row names the base family itself.
            row.fontName = DisplayFontName(SourceFace);
        } else {
            row.fontName = SourceFace;
        }
        return row;
    }
    case EvolutionForm::Chu:
    case EvolutionForm::SmallSeal: {
        const bool seal = form.script == EvolutionForm::SmallSeal;
        const QString text = record.value(seal ? Fields::字源 : Fields::出處).toString();
        if (text.isEmpty())
            return std::nullopt;
        ReferenceRow row = sourceRow(text, parent);
        row.fontName = seal ? DisplayFontName(SourceFace) : SourceFace;
        return row;
    }
    }
    return std::nullopt;
}

} // namespace

std::optional<EvolutionRecords> ReadEvolutionRecords(const QString &face, qint32 number,
                                                     const OptionCheck &checked)
{
    QStringList regularFields = {Fields::字碼, Fields::字體, Fields::字形};
    for (const ScriptOfView &script : ViewScripts)
        regularFields << script.data().crossNumberField;
    std::optional<RegularRecord> regular = ReadRegularRecord(face, number, regularFields);
    if (!regular)
        return std::nullopt;

    EvolutionRecords records;
    records.number = regular->number;
    records.regular = std::move(regular->fields);
    for (const ScriptOfView &script : ViewScripts) {
        const qint32 formNumber =
            ScriptOfFace(face).id == script.id
                ? number
                : Int32Field(records.regular.value(script.data().crossNumberField)).value_or(0);
        if (formNumber == 0 || !checked(script.optionItem))
            continue;
        std::optional<RecordFields> record =
            SeekByNumber(*script.data().glyphs, formNumber,
                         QStringList{Fields::字碼, Fields::字形} + script.sourceFields);
        if (!record)
            continue; // a cross-number its table lacks shows no form
        const QString formFace =
            script.script == EvolutionForm::SmallSeal && face == SealVariantFace
                ? face
                : script.data().face();
        records.forms.append({script.script, formNumber, formFace, std::move(*record)});
    }
    return records;
}

ReferenceRows BuildEvolutionRows(const EvolutionRecords &records, const QString &glyphFace,
                                 const std::function<QString(const QString &)> &toRtf)
{
    ReferenceRows rows;
    ReferenceRow glyph;
    glyph.text = records.regular.value(Fields::字碼).toString();
    glyph.fontName = glyphFace;
    glyph.data = records.number;
    glyph.flag = HasValue(records.regular, Fields::字形) ? 0 : 1;
    glyph.node = !records.forms.isEmpty();
    glyph.expanded = glyph.node;
    rows.append(glyph);

    for (const EvolutionForm &form : records.forms) {
        ReferenceRow row;
        row.text = form.record.value(Fields::字碼).toString();
        row.parent = 0;
        row.fontName = form.face;
        row.data = form.number;
        row.flag = HasValue(form.record, Fields::字形) ? 0 : 1;
        row.expanded = true;
        const int index = int(rows.size());
        rows.append(row);
        if (std::optional<ReferenceRow> source = sourceOf(form, index, toRtf)) {
            rows[index].node = true;
            rows.append(*source);
        }
    }
    return rows;
}
