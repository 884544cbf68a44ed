// The rich text of formulas: the reader on any text, and the writer on any text with records
// of every kind, whose output must be plain ASCII rich text that the reader takes apart.
#include "fuzzsupport.h"
#include "tests/vbprog/murvel/core/operatortable.h"
#include "vbprog/murvel/core/formula.h"
#include "vbprog/murvel/core/glyphrtf.h"
#include "vbprog/murvel/core/rtfreader.h"

namespace
{

void checkRuns(const QList<RtfRun> &runs, const QString &rtf)
{
    for (const RtfRun &run : runs)
        fuzz::Check(!run.text.isEmpty(), "no empty runs", rtf);
}

// A record for some keys, none for others, with faces inside and outside 0..20 and codes
// empty, one character or two.
std::optional<FormulaGlyph> someRecord(const FormulaKey &key)
{
    const int seed = key.kind + int(key.components.size());
    if (seed % 5 == 0)
        return std::nullopt;
    std::optional<int> face = seed % 7 == 0 ? std::nullopt : std::optional<int>(seed % 23 - 1);
    return FormulaGlyph{face, key.components.left(seed % 3)};
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    LoadStandardOperators();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzz::TextOf(fuzz::BytesOf(data, size));
    checkRuns(ReadGlyphRtf(text), text);

    for (const QString &base : {QStringLiteral("標楷體"), QStringLiteral("細明體")}) {
        const QString rtf = FormulaTextToRtf(text, base, someRecord);
        fuzz::Check(rtf.startsWith(QStringLiteral("{\\rtf1")) && rtf.endsWith(u'}'),
                    "the writer makes one rich-text document", text);
        for (QChar c : rtf)
            fuzz::Check(c.unicode() < 0x80, "the writer escapes every character", text);
        checkRuns(ReadGlyphRtf(rtf), rtf);
    }
    return 0;
}
