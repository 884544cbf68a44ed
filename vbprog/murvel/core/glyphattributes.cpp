#include "vbprog/murvel/core/glyphattributes.h"

#include "vbprog/murvel/core/formula.h"
#include "vbprog/murvel/core/recordfields.h"
#include "vbprog/murvel/core/scripttables.h"
#include "vbprog/murvel/core/公用程序.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/schema/schemanames.h"

#include <optional>

namespace
{

// Makes gRs檢字表 refer to the regular-script table and seeks; true on a match.
bool seekRegular(const QString &index, const QVariantList &key)
{
    gRs檢字表 = gRs檢字表楷書;
    return gRs檢字表.setIndex(index) && gRs檢字表.seek(key);
}

QString faceOfCode(const QVariant &code)
{
    const std::optional<qint32> number = Int32Field(code);
    if (!number || *number <= 0 || *number >= FaceCodeCount || gFaceNames[*number].isEmpty())
        return gDefaultFace;
    return gFaceNames[*number];
}

QString glyphTextOf(const jet::Table &record)
{
    for (const QString &field : {Fields::字形, Fields::字碼}) {
        const QString text = record.value(field).toString();
        if (!text.isEmpty())
            return text;
    }
    return QStringLiteral("●");
}

} // namespace

void ClearGlyphPanel(GlyphPanel &panel)
{
    for (const char *box :
         {"txt字形", "txt總筆畫", "txt部首", "txt扣除部首筆畫", "txt注音", "txt內碼", "txt倉頡碼",
          "txt構字式", "txt冊數", "txt組字字數", "txt組字字數含異寫"})
        panel.setText(box, QString());
    gCurrentGlyphNumber = NoGlyphNumber;
}

void ShowGlyphAttributes(GlyphPanel &panel, const QString &face, qint32 key)
{
    if (key < 0)
        return;
    const std::optional<qint32> regular = RegularNumberOfFace(face, key);
    const bool found = regular && seekRegular(Indexes::編號, {*regular});
    ClearGlyphPanel(panel);
    if (!found)
        return;

    const jet::Table &record = gRs檢字表;
    const auto field = [&](const QString &name) { return record.value(name); };
    const auto show = [&](const char *box, const QString &name) {
        panel.setText(box, field(name).toString());
    };
    gCurrentGlyphNumber = *regular;
    panel.setGlyphFace(faceOfCode(field(Fields::字體)));
    for (const auto &[box, name] :
         {std::pair{"txt編號", Fields::編號}, std::pair{"txt外字集", Fields::字體}}) {
        if (!field(name).isNull())
            show(box, name);
    }
    panel.setText("txt字形", glyphTextOf(record));
    show("txt總筆畫", Fields::筆畫);
    if (const std::optional<qint32> radical = Int32Field(field(Fields::部首)))
        panel.setText("txt部首", KangxiRadicalGlyph(*radical));
    show("txt扣除部首筆畫", Fields::部首筆畫);
    panel.setText("txt注音", ZhuyinToneMarks(field(Fields::注音).toString()));
    show("txt內碼", Fields::BIG5);
    panel.setText("txt倉頡碼", CangjieCodeToRadicals(field(Fields::倉頡).toString()));
    show("txt冊數", Fields::遠東漢語大字典);
    show("txt組字字數", Fields::組字字數);
    show("txt組字字數含異寫", Fields::組字字數二);
}

void ShowGlyphFormula(GlyphPanel &panel, const QString &face, const QString &glyph, qint32 key)
{
    if (key < 0)
        return;
    QString glyphText = glyph;
    if (AncientScriptTable(face)) {
        const std::optional<qint32> regular = RegularNumberOfFace(face, key);
        if (!regular || !seekRegular(Indexes::編號, {*regular}))
            return;
        key = *regular;
        glyphText = gRs檢字表.value(Fields::字碼).toString();
    }
    const bool prefixFormula =
        glyphText.size() == 2 && FindOperator(glyphText.left(1), OperatorNumbers::PrefixFirst,
                                              OperatorNumbers::PrefixLast) > 0;
    bool found = false;
    if (prefixFormula)
        found = seekRegular(Indexes::構字式, {int(FormulaKinds::Other), glyphText});
    else if (key != 0)
        found = seekRegular(Indexes::編號, {key});
    else
        found = seekRegular(Indexes::字形, {glyphText});
    if (!found)
        return;
    gDragText = gRs檢字表.value(Fields::部件序).toString();
    panel.setText("txt構字式",
                  JoinFormula(Int32Field(gRs檢字表.value(Fields::連接符號)), gDragText));
}
