#include "largedocx.h"
#include "platform/office/word/docx/docxdocument.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// A 200-page Word document (about 100,000 words, 2,000 formulas) opened, searched for
// every formula as the Word conversion searches, and saved.
namespace
{

bool isInfix(QChar c)
{
    return c >= QChar(0xF6A3) && c <= QChar(0xF6A5);
}

bool isOperator(QChar c)
{
    return c >= QChar(0xF6A3) && c <= QChar(0xF6AD);
}

// The formulas of the main text, found and grown one character at a time as the Word
// conversion does: a class search for the next operator, the left operand of an infix
// operator, then as long as an operator or an infix operator after the next character
// continues the formula; a bracketed formula up to its closing bracket. convert replaces
// each by a glyph in its own typeface.
int findFormulas(word::Document &document, bool convert)
{
    auto range = document.content();
    word::FindOptions options;
    options.text = QStringLiteral("[\uF6A3-\uF6AE]");
    options.matchWildcards = true;
    int found = 0;
    while (range->find(options)) {
        const QString hit = range->text();
        if (hit.at(0) == QChar(0xF6AE)) {
            range->moveEndUntil(QString(QChar(0xF6AF)), 50);
            range->moveEnd(1);
        } else {
            if (isInfix(hit.at(0)))
                range->setStart(range->start() - 1);
            auto next = document.content();
            for (;;) {
                next->setRange(range->end() - 1, range->end() + 1);
                const QString pair = next->text();
                if (pair.size() < 2 || !(isOperator(pair.at(0)) || isInfix(pair.at(1))))
                    break;
                range->moveEnd(1);
            }
        }
        ++found;
        if (convert) {
            range->setText(QString(QChar(0xE000 + found % 100)));
            word::Font eudc;
            eudc.name = QStringLiteral("標楷體外字集一");
            range->setFont(eudc);
        }
        range->collapse(word::CollapseDirection::End);
    }
    return found;
}

void openFindAndSave(benchmark::State &state, bool convert)
{
    QTemporaryDir folder;
    const QString source = folder.filePath(QStringLiteral("large.docx"));
    const QString target = folder.filePath(QStringLiteral("large☆.docx"));
    if (!WriteLargeDocument(source,
                            {QStringLiteral("口\uF6A4木"), QStringLiteral("\uF6AE日月\uF6AF"),
                             QStringLiteral("\uF6A7又\uF6A3土"), QStringLiteral("氵\uF6A4可")})) {
        state.SkipWithError("the large document cannot be written");
        return;
    }
    for (auto _ : state) {
        auto opened = word::docx::DocxDocument::open(source);
        if (!opened) {
            state.SkipWithError(opened.errorString().toUtf8().constData());
            return;
        }
        const int found = findFormulas(*opened.value(), convert);
        if (found != LargeDocumentParagraphs) {
            state.SkipWithError("not every formula was found");
            return;
        }
        if (!opened.value()->saveAs(target)) {
            state.SkipWithError("the document cannot be saved");
            return;
        }
    }
}

void BM_OpenFindEveryFormulaAndSave(benchmark::State &state)
{
    openFindAndSave(state, false);
}

void BM_OpenConvertEveryFormulaAndSave(benchmark::State &state)
{
    openFindAndSave(state, true);
}

BENCHMARK(BM_OpenFindEveryFormulaAndSave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenConvertEveryFormulaAndSave)->Unit(benchmark::kMillisecond);

} // namespace
