#include "comAddIn/porvex/textconversion.h"

#include "comAddIn/porvex/formulascanner.h"

namespace porvex
{

void ConvertTextFormulas(ConversionRun &run, CandidatePicker &picker, EditableText &copy,
                         EditableText &source, SourcePositions &positions)
{
    const FormulaScanner scanner(FormulaScanner::Mode::Paragraphs);
    int from = 0;
    for (;;) {
        // Read again after every write, which shortens the text.
        const QString text = copy.text();
        const std::optional<FoundFormula> found = scanner.next(text, from);
        if (!found)
            return;
        const QString formula = text.mid(found->start, found->length);
        const Lookup &lookup = run.engine().lookUp(formula, picker);
        const GlyphWrite write = lookup.writeFor(copy.face(found->start, found->length));
        if (!write.writes() || !copy.replace(found->start, found->length, write.text))
            continue;
        const int written = int(write.text.size());
        if (write.face)
            copy.setGlyphFace(found->start, written, *write.face);

        int sourceLength = found->length;
        if (!lookup.resultText.isEmpty()) {
            // Only the formula at this place changes: not another one that holds its text.
            const int at = positions.sourcePosition(found->start);
            if (source.text().mid(at, found->length) == formula &&
                source.replace(at, found->length, lookup.resultText))
                sourceLength = int(lookup.resultText.size());
        }
        positions.rewrite(found->start, found->length, written, sourceLength);
        from = found->start + 1;
    }
}

} // namespace porvex
