// The formula search of the main window over the sample databases: any typed text ends, in
// bounded time, with a glyph that exists, "too short" or "not found".
#include "sampledatabases.h"
#include "vbprog/murvel/core/formulasearch.h"
#include "vbprog/murvel/core/公用變數.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    OpenSampleDatabases();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzz::TextOf(fuzz::BytesOf(data, size));
    QString similar;
    const FormulaSearchResult result = FindGlyphByFormula(text, similar);
    fuzz::Check(result.number >= NoGlyphFound, "a number, 0 or -1", text);
    fuzz::Check(result.glyphBoxText.has_value() == (result.number == FormulaTooShort),
                "only a too-short key fills the glyph box", text);
    fuzz::Check(similar.isEmpty() || similar.startsWith(QStringLiteral(",相似字形: ")),
                "the similar-glyph list has its prefix", similar);
    if (result.number > 0) {
        jet::Table glyphs = gRs檢字表楷書;
        fuzz::Check(glyphs.setIndex(QStringLiteral("編號")) && glyphs.seek(result.number),
                    "the glyph found exists", text);
    }
    return 0;
}
